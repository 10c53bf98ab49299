#include "import_command.h"

#include "app/command_line.h"

#include "grid/edit_grid.h"
#include "grid/pedigree_grid.h"
#include "grid/pedigree_import.h"

#include <ostream>

int runImportCommand(const ImportOptions &options, std::ostream &errors)
{
    try {
        const PedigreeImport result
            = importPedigree(readImportTable(options.inputFile, options.sheet), options.choice);
        for (const std::string &problem : result.problems)
            errors << "zan: " << problem << '\n';
        TEditGrid grid;
        configurePedigreeGrid(grid);
        fillPedigreeGrid(grid, result.rows);
        savePedigreeFile(grid, options.outputFile);
        return result.problems.empty() ? 0 : 1;
    } catch (const ZanError &error) { // the table cannot be read or the file not written
        errors << "zan: " << error.what() << '\n';
    }
    return 1;
}
