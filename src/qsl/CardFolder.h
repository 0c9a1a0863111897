#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The folder of scanned QSL cards. A card is a JPEG named after the partner's
// callsign: base + ".jpg" for the first, base + "_" + anything + ".jpg" for
// further ones (base_1.jpg, base_2.jpg ... or a word written by hand).
//
// The folder is given as the "QslPath" setting stores it and is used as a
// prefix: "/home/op/qsl/" lists /home/op/qsl, "/home/op/qsl/card_" lists
// /home/op/qsl and only names that begin with "card_". File names are
// compared without regard to letter case, so a scanner's "DL1AB.JPG" belongs.
class CardFolder {
public:
    explicit CardFolder(const QString& folderPrefix);

    // Lower case, blanks around it dropped, every "/" -> "-": "EA8/Q1ABC" -> "ea8-q1abc".
    static QString baseName(const QString& call);

    // The call's cards as full paths, sorted by name without regard to letter
    // case (base.jpg comes before base_1.jpg). "dl1ab" does not take "dl1abc.jpg".
    QStringList cardsOf(const QString& call) const;
    // Stops at the first card; reads the folder listing only, no file.
    bool hasCards(const QString& call) const;

    // Moves source into the folder as the call's next card and returns the
    // card's path: base.jpg, else the first free base_1.jpg, base_2.jpg ...
    // (a name that exists in any letter case is taken). The name is claimed
    // by creating it exclusively before the move, so two renames at once
    // cannot pick the same one. Across file systems the scan is copied,
    // flushed to disk, read back and compared, and removed only then.
    // Throws IoError whose message is the complete error text for the user:
    // "ERROR (" + source + " --> " + target + ": " + reason; the source is
    // then where it was and no empty card is left behind.
    QString moveIn(const QString& source, const QString& call) const;

    struct Card {
        QString file; // full path
        QString call; // "EA8/Q1ABC"
        QString text; // "EA8/Q1ABC:  1"
    };
    // Every *.jpg (any case) in the folder but hidden files, in the order of cardsOf.
    QVector<Card> allCards() const;

    // The viewer's caption: "QSL", or QSL "text" for a name base_text.jpg.
    // Only the file name counts: an "_" in a folder name is no card text.
    static QString viewerCaption(const QString& file);

private:
    QStringList jpegNames() const;   // names after m_namePrefix, sorted
    QString path(const QString& nameAfterPrefix) const;

    QString m_folder;     // the folder that is listed
    QString m_namePrefix; // what a file name begins with there (usually empty)
};
