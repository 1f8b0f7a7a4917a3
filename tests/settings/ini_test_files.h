#pragma once
// Small helpers for tests that put bytes on disk and read them back.

#include <QByteArray>
#include <QString>

QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);
// Windows-1251 bytes of a text, for building files by hand.
QByteArray cp1251(const QString& text);
