#pragma once

// The runner run in-process over argv-style arguments, its two streams kept as text, and the
// files the tests hand it.

#include "cli/Command.h"

#include <QTemporaryDir>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace velmaro::test {

struct RunResult {
    int status;
    std::string out, err;
};

inline RunResult RunWith(const std::vector<std::string> &arguments)
{
    RunResult r{};
    std::ostringstream out, err;
    r.status = cli::Run(arguments, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

// Writes text as it stands (no line end translated) to a file of dir; returns the file's path.
inline std::string WriteFile(const QTemporaryDir &dir, const std::string &name, const std::string &text)
{
    const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

} // namespace velmaro::test
