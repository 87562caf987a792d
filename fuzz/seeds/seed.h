#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// One starting input of a fuzz target: a file name that says what it covers, and its bytes.
struct Seed
{
    QString name;
    QByteArray bytes;
};

using Seeds = std::vector<Seed>;
