// Helpers of the INI tests: lines to and from the JSON form of the fixtures, bytes in memory.
#pragma once

#include "files/IniFile.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <ostream>

namespace hv {

// Lets GoogleTest print a line when a comparison fails.
inline void PrintTo(const INIline &line, std::ostream *os)
{
    *os << '{' << line.Group().toStdString() << " | " << line.Section().toStdString() << " | "
        << line.Value().toStdString() << '}';
}

} // namespace hv

namespace initest {

inline QString fixture(const QString &name)
{
    return QStringLiteral(HV_FIXTURES_DIR "/ini/") + name;
}

// Lines from a JSON array of {"group","section","value"} objects.
inline hv::INIlines linesFromJson(const QByteArray &json)
{
    hv::INIlines lines;
    const QJsonArray array = QJsonDocument::fromJson(json).array();
    for (const QJsonValue &v : array) {
        const QJsonObject o = v.toObject();
        lines.Add(o.value(QLatin1String("group")).toString(),
                  o.value(QLatin1String("section")).toString(),
                  o.value(QLatin1String("value")).toString());
    }
    return lines;
}

inline std::vector<hv::INIline> asVector(const hv::INIlines &lines)
{
    return {lines.begin(), lines.end()};
}

// Loads INI bytes through a buffer.
inline hv::INIlines loadBytes(const QByteArray &bytes)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    hv::INIfile ini;
    EXPECT_TRUE(ini.Load(buffer).ok);
    return ini.INIlines();
}

// The bytes a save writes for `ini`.
inline QByteArray saveBytes(const hv::INIfile &ini)
{
    QByteArray data;
    QBuffer buffer(&data);
    const hv::IniResult r = ini.Save(buffer);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    return data;
}

} // namespace initest
