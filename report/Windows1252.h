#pragma once

// The report template and the filled report are bytes in the Windows-1252 code page; inside
// the program text is QString. These two functions are the only crossing between the two.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace velmaro {

QChar Windows1252ToChar(unsigned char byte);
QString FromWindows1252(QByteArrayView bytes);
// Characters the code page cannot hold become "?".
QByteArray ToWindows1252(const QString &text);

} // namespace velmaro
