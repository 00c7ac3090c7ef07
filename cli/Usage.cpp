#include "cli/Usage.h"

#include "cli/Inputs.h"

namespace velmaro::cli {

std::string Usage()
{
    std::string usage =
        "usage: velmaro-cli [--format json|csv] [NAME=VALUE ...]\n"
        "       velmaro-cli --cases FILE.csv [NAME=VALUE ...]\n"
        "\n"
        "Starts from the default watershed, sets each named input, runs every stage\n"
        "(concentration time, rainfall, retention and runoff depth, hydrograph) and prints\n"
        "the whole model state as one JSON object, with \"failures\" listing the stages that\n"
        "failed. Numbers use \".\" as the decimal point.\n"
        "\n"
        "--format csv prints the result series instead: the rainfall table (time, partial,\n"
        "cumulative, hyetogram, runoff depth), an empty line, the hydrograph table (time,\n"
        "discharge); the stages that failed are named on standard error.\n"
        "\n"
        "--cases FILE.csv (\"-\" for standard input) runs one case per row: a header row of\n"
        "input names, then one row per case; an empty cell keeps the value of the command\n"
        "line or the default. Prints one CSV row per case: its row number, its inputs,\n"
        "ConcentrationTime, PotentialRetention, InitialAbstraction, the last RunoffDepth,\n"
        "TotalVolume, SpecificVolume, PeakDischarge, PeakTime (hours), HydrographCount and\n"
        "the failures (\"routine: message\"; empty when none); the results of a failed stage\n"
        "are left empty. A row that cannot be read is named on standard error with its row\n"
        "and column and skipped. A series cell holds comma-separated values in quotes, or\n"
        "@FILE.\n"
        "\n"
        "Inputs:\n";
    usage += InputsUsage();
    usage += "\n"
             "A series given as @FILE is read from a CSV or text file: one height per line, or a\n"
             "time and a height per line separated by a tab, \";\" or \",\", with an optional\n"
             "header line. StepCount becomes the number of heights read unless it is given.\n"
             "\n"
             "Design storm, laid after the other arguments whatever their order:\n"
             "  DesignStorm=I|IA|II|III|uniform  StormDepth=MM\n"
             "fills EnteredPartial and sets PartialSeries=1 and StepCount: an NRCS 24-hour type\n"
             "takes 24 h / TimeStep steps (a whole number, at most 100), the uniform storm spreads\n"
             "the depth over StepCount steps.\n"
             "\n"
             "Units: the runner reads and prints the base units only (km, m, km², mm, min,\n"
             "m³, m³/s), whatever units the window shows. From U.S. customary units:\n"
             "1 ft = 0.3048 m, 1 mi = 1.609344 km, 1 in = 25.4 mm, 1 ac = 0.0040468564224 km²,\n"
             "1 mi² = 2.589988110336 km², 1 ft³ = 0.028316846592 m³,\n"
             "1 ac·ft = 1233.48183754752 m³, 1 ft³/s = 0.028316846592 m³/s.\n"
             "\n"
             "Exit status: 0 when the chain ran (stage failures are part of the output),\n"
             "1 when the output could not be written, 2 for a bad argument or cases file,\n"
             "3 when some rows of the cases file were skipped (the others ran).\n";
    return usage;
}

} // namespace velmaro::cli
