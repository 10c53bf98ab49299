#include "depth_text.h"

#include "report/report_text.h"

#include "engine/pedigree_depth.h"

namespace DepthText {
const char *const Title = "PEDIGREE DEPTH";
const char *const GenerationNote
    = "GEN 1 = THE PARENTS (GENERATION 2 OF THE ANCESTOR TABLE); ZAN PCNT FROM THE ANCESTORS "
      "WITHIN GEN GENERATIONS";
} // namespace DepthText

std::string depthHeading()
{
    return formatLine("%3s %15s %15s %8s %8s %8s", "GEN", "KNOWN", "POSSIBLE", "COMPLETE",
        "DISTINCT", "ZAN PCNT");
}

std::string depthUnderline()
{
    return underline({ 3, 15, 15, 8, 8, 8 });
}

std::string depthLine(const depth_generation &generation)
{
    return formatLine("%3d %15llu %15llu %8.2f %8d %8.2f", generation.generation,
        static_cast<unsigned long long>(generation.known),
        static_cast<unsigned long long>(generation.possible), generation.completeness * 100.0,
        generation.distinct, generation.inbreeding * 100.0);
}

std::string depthSummaryLine(const std::string &label, double value, bool percent)
{
    std::string line = formatLine("%-44s %8.2f", label.c_str(), value);
    if (percent)
        line += '%';
    return line;
}
