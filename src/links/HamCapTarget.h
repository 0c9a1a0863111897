#pragma once

#include <QString>
#include <QStringList>

// What "HamCap öffnen" and "Weltkarte" aim at: a locator, else a callsign,
// else nothing, taken from the texts the page in front offers.
namespace HamCapTarget {

enum class Kind { None, Locator, Call };

struct Target {
    Kind kind = Kind::None;
    QString text;
    bool operator==(const Target&) const = default;
};

// locators and calls: the candidates in the order the page offers them
// (a field of the mask before the selected row of its list); the first
// that is not empty counts. A locator needs exactly six characters (it is
// upper-cased), a callsign more than two.
Target choose(const QStringList& locators, const QStringList& calls);

} // namespace HamCapTarget
