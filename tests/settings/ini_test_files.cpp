#include "settings/ini_test_files.h"

#include <QFile>
#include <QStringEncoder>
#include <gtest/gtest.h>

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray cp1251(const QString& text)
{
    QStringEncoder encoder("windows-1251");
    QByteArray bytes = encoder.encode(text);
    EXPECT_FALSE(encoder.hasError());
    return bytes;
}
