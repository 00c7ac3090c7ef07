#include "cli/Usage.h"

#include "cli/Inputs.h"

namespace velmaro::cli {

std::string Usage()
{
    std::string usage =
        "usage: velmaro-cli [--format json|csv] [--unchecked] [NAME=VALUE ...]\n"
        "       velmaro-cli --cases FILE.csv [--unchecked] [NAME=VALUE ...]\n"
        "\n"
        "Starts from the default watershed, sets each named input, runs every stage\n"
        "(concentration time, rainfall, retention and runoff depth, hydrograph) and prints\n"
        "the whole model state as one JSON object, with \"failures\" listing the stages that\n"
        "failed and \"warnings\" the values computed with out of range (--unchecked).\n"
        "Numbers use \".\" as the decimal point; NaN and infinity are no numbers.\n"
        "\n"
        "--format csv prints the result series instead: the rainfall table (time, partial,\n"
        "cumulative, hyetogram, runoff depth), an empty line, the hydrograph table (time,\n"
        "discharge); the stages that failed are named on standard error.\n"
        "\n"
        "--cases FILE.csv (\"-\" for standard input) runs one case per row: a header row of\n"
        "input names, each once, then one row per case; an empty cell keeps the value of the\n"
        "command line or the default. Prints one CSV row per case: its row number, its inputs,\n"
        "ConcentrationTime [h], PotentialRetention [mm], InitialAbstraction [mm], the last\n"
        "RunoffDepth [mm], TotalVolume [m³], SpecificVolume [mm], PeakDischarge [m³/s],\n"
        "PeakTime [h], HydrographCount and the failures (\"routine: message\"; empty when\n"
        "none); the results of a failed stage are left empty. A row that cannot be read, or\n"
        "holds a value out of its range, is named on standard error with its row and column\n"
        "and skipped. A series cell holds comma-separated values in quotes, or @FILE. Cells\n"
        "may be separated by \";\" instead, as spreadsheets save them where the decimal mark\n"
        "is a comma: numbers then take a decimal comma, a series cell separates its values\n"
        "with \";\", and the results are written the same way.\n"
        "\n"
        "Inputs, each held to the range of the window's field for it (1.1E4900 in a message\n"
        "stands for no upper limit); a value outside it exits with status 2:\n";
    usage += InputsUsage();
    usage += "\n"
             "--unchecked computes with values outside those ranges, as the window computes with\n"
             "them while it shows its range message, and lists each one under \"warnings\"\n"
             "({\"input\", \"message\"}), or on standard error with --format csv and --cases.\n"
             "\n"
             "A series given as @FILE is read from a CSV or text file as the window's import reads\n"
             "it, its layout guessed: the separator (tab, \";\", \",\" or blanks), the decimal mark,\n"
             "a header of up to two lines, the column of heights and one of times (hours, minutes,\n"
             "or dates and times). The times must step evenly, every TimeStep minutes. Heights\n"
             "the header calls cumulative fill a partial series with their rises, and the other\n"
             "way round. StepCount becomes the number of heights read unless it is given.\n"
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
