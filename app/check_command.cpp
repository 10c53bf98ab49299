#include "check_command.h"

#include "app/command_line.h"
#include "app/pedigree_check_texts.h"
#include "app/pedigree_document.h"

#include "grid/edit_grid.h"
#include "platform/text_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <ostream>

namespace {

QString jsonText(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

QJsonObject findingObject(const finding &f)
{
    QJsonArray bands;
    for (const std::string &band : f.bands)
        bands.append(jsonText(findingText(band)));
    QJsonArray rows;
    for (int row : f.rows)
        rows.append(row);
    return QJsonObject { { "kind", jsonText(std::string(kind_name(f.kind))) },
        { "severity", jsonText(std::string(severity_name(f.severity))) },
        { "message", jsonText(findingText(f.message)) }, { "bands", bands }, { "rows", rows } };
}

void writeJson(const std::string &json, const std::string &fileName)
{
    TextFileWriter writer;
    if (!writer.create(fileName))
        throw ZanError("cannot create file " + fileName);
    writer.write(json);
    writer.commit();
}

} // namespace

std::string findingsJson(const pedigree_findings &checked, const std::string &fileName)
{
    QJsonArray findings;
    for (const finding &f : checked.findings)
        findings.append(findingObject(f));
    const pedigree_summary &summary = checked.summary;
    const QJsonObject root { { "file", jsonText(fileName) },
        { "errors", checked.count(finding_severity::error) },
        { "warnings", checked.count(finding_severity::warning) },
        { "notes", checked.count(finding_severity::note) }, { "findings", findings },
        { "summary",
            QJsonObject { { "birds", summary.birds }, { "founders", summary.founders },
                { "one_parent_unknown", summary.one_parent_unknown },
                { "parents_without_row", summary.parents_without_row },
                { "deepest_generation", summary.deepest_generation } } } };
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

int runCheckCommand(const CheckOptions &options, std::ostream &out, std::ostream &errors)
{
    TEditGrid grid;
    PedigreeDocument::setUpPedigreeGrid(grid);
    PedigreeDocument document(grid);
    try {
        document.open(options.inputFile);
        const pedigree_findings checked = checkPedigree(document);
        if (!options.jsonFile.empty())
            writeJson(findingsJson(checked, options.inputFile), options.jsonFile);
        out << findingsText(checked, options.inputFile);
        out.flush();
        if (!out) {
            errors << "zan: cannot write the findings to standard output\n";
            return 1;
        }
        return checked.has_problems() ? 1 : 0;
    } catch (const ZanError &error) {
        errors << "zan: " << error.what() << '\n';
        return 1;
    }
}
