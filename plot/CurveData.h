#pragma once

// The curves are worked out in std::vector, away from Qt; QCustomPlot takes its data as QVector.

#include <QVector>

#include <vector>

namespace velmaro {

inline QVector<double> ToVector(const std::vector<double> &values)
{
    return QVector<double>(values.begin(), values.end());
}

} // namespace velmaro
