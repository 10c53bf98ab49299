#include "pairing_workbook.h"

#include "report/pairing_allocation.h"
#include "report/pairing_composer.h"
#include "report/pairing_plan.h"

#include "platform/text_codec.h"
#include "platform/zan_error.h"

#include <xlsxwriter.h>

#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

// One sheet written row by row; the first failure is kept and later writes are skipped.
class SheetWriter
{
public:
    SheetWriter(lxw_worksheet *sheet, lxw_format *figure) : m_sheet(sheet), m_figure(figure) { }

    void text(const std::string &bytes)
    {
        keep(worksheet_write_string(
            m_sheet, m_row, m_column++, bytesToUtf8(bytes).c_str(), nullptr));
    }
    void percent(double fraction)
    {
        keep(worksheet_write_number(m_sheet, m_row, m_column++, fraction * 100.0, m_figure));
    }
    void skip() { ++m_column; }
    void endRow()
    {
        ++m_row;
        m_column = 0;
    }
    lxw_error error() const { return m_error; }

private:
    void keep(lxw_error error)
    {
        if (m_error == LXW_NO_ERROR)
            m_error = error;
    }

    lxw_worksheet *m_sheet;
    lxw_format *m_figure;
    lxw_row_t m_row = 0;
    lxw_col_t m_column = 0;
    lxw_error m_error = LXW_NO_ERROR;
};

void writeMatrix(SheetWriter &sheet, const PairingPlan &plan)
{
    sheet.text("COCK \\ HEN");
    for (const std::string &hen : plan.hens())
        sheet.text(hen);
    sheet.endRow();
    for (std::size_t c = 0; c < plan.cocks().size(); ++c) {
        sheet.text(plan.cocks()[c]);
        for (std::size_t h = 0; h < plan.hens().size(); ++h)
            sheet.percent(plan.inbreeding(c, h));
        sheet.endRow();
    }
}

void writeAllocation(
    SheetWriter &sheet, const PairingPlan &plan, const PairingAllocation &allocation)
{
    sheet.text(PairingText::allocationLimits(allocation));
    sheet.endRow();
    for (const char *heading : { "COCK", "HEN", "ZAN", "ANCESTOR 1", "CONTRIBUTION 1", "ANCESTOR 2",
             "CONTRIBUTION 2", "ANCESTOR 3", "CONTRIBUTION 3" })
        sheet.text(heading);
    sheet.endRow();
    bool exactShares = false;
    for (const PairingPlan::Pair &pair : allocation.pairs()) {
        sheet.text(plan.cocks()[pair.cock]);
        sheet.text(plan.hens()[pair.hen]);
        sheet.percent(plan.inbreeding(pair.cock, pair.hen));
        const std::vector<PairingPlan::Ancestor> ancestors = plan.ancestors(pair.cock, pair.hen);
        for (const PairingPlan::Ancestor &ancestor : ancestors) {
            sheet.text(ancestor.band);
            sheet.percent(ancestor.contribution);
        }
        if (!ancestors.empty() && ancestors.front().exactShare) {
            for (std::size_t cell = 2 * ancestors.size(); cell < 2 * kinship::ranked_ancestors;
                 ++cell)
                sheet.skip();
            sheet.text(PairingPlan::ExactShareMark);
            exactShares = true;
        }
        sheet.endRow();
    }
    sheet.endRow();
    sheet.text("MEAN");
    sheet.percent(allocation.meanInbreeding());
    sheet.endRow();
    sheet.text("LARGEST");
    sheet.percent(allocation.largestInbreeding());
    sheet.endRow();
    sheet.text("UNPAIRED HENS");
    for (const std::string &hen : allocation.unpairedHens())
        sheet.text(hen);
    sheet.endRow();
    sheet.endRow();
    for (const char *heading : { "CANDIDATE", "SEX", "MEAN KINSHIP" })
        sheet.text(heading);
    sheet.endRow();
    for (const PairingAllocation::Candidate &candidate : allocation.candidates()) {
        sheet.text(candidate.band);
        sheet.text(candidate.cock ? "cock" : "hen");
        sheet.percent(candidate.meanKinship);
        sheet.endRow();
    }
    for (const std::string &remark : allocation.remarks()) {
        sheet.endRow();
        sheet.text(remark);
    }
    if (exactShares) {
        sheet.endRow();
        sheet.text(PairingPlan::ExactSharesNote);
    }
}

} // namespace

void writePairingWorkbook(
    const PairingPlan &plan, const std::string &fileName, const PairingAllocation *allocation)
{
    // The library writes its file at the end; a partial one next to the target is renamed over
    // it only once complete.
    // The library would print its own complaint about a folder it cannot write in: that case
    // is caught before it starts.
    const std::string partial = fileName + ".part";
    if (!std::ofstream(partial, std::ios::binary))
        throw ZanError("cannot create file " + fileName);
    lxw_workbook *workbook = workbook_new(partial.c_str());
    if (!workbook) {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        throw ZanError("cannot create file " + fileName);
    }
    lxw_format *figure = workbook_add_format(workbook);
    format_set_num_format(figure, "0.00");
    lxw_error error = LXW_NO_ERROR;
    SheetWriter matrix(workbook_add_worksheet(workbook, "Matrix"), figure);
    writeMatrix(matrix, plan);
    error = matrix.error();
    if (allocation) {
        SheetWriter sheet(workbook_add_worksheet(workbook, "Allocation"), figure);
        writeAllocation(sheet, plan, *allocation);
        if (error == LXW_NO_ERROR)
            error = sheet.error();
    }
    const lxw_error closed = workbook_close(workbook);
    if (error == LXW_NO_ERROR)
        error = closed;
    std::error_code renameError;
    if (error == LXW_NO_ERROR)
        std::filesystem::rename(partial, fileName, renameError);
    if (error != LXW_NO_ERROR || renameError) {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        throw ZanError("cannot write file " + fileName + ": "
            + (renameError ? renameError.message() : lxw_strerror(error)));
    }
}
