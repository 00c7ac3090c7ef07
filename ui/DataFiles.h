#pragma once

// Where the program finds the files it reads but does not contain (report template, help
// notes): beside the executable, as in the build folder, or in the shared data folder of an
// installed copy (bin/../share/velmaro).

#include <QString>

namespace velmaro {

// The path a data file has when the given folder holds the program's data.
using DataFileIn = QString (*)(const QString &folder);

// The folder that holds the data file fileIn names: exeDir when the file is there, else
// exeDir/../share/velmaro when it is there; exeDir when neither has it, so that the message for
// a missing file names the place beside the program.
QString ProgramDataFolder(const QString &exeDir, DataFileIn fileIn);
// The same for the running executable.
QString ProgramDataFolder(DataFileIn fileIn);

} // namespace velmaro
