#pragma once

#include <QDialog>
#include <QStringList>

class QLineEdit;

// Game Information: the players, event, site, date and round of the game, its PGN tags.
class dlgGameInfo : public QDialog {
    Q_OBJECT
public:
    // The tags the dialog edits, in the order of its fields and of the standard's roster.
    static const QStringList &TagNames();

    // Values in the order of TagNames(); an unknown date shows as today. sVariant, when not
    // empty, names the kind of game ("Chess960 #518"), and sNotes what the game holds besides
    // its moves ("2 variations, 3 comments"), both shown but not edited.
    explicit dlgGameInfo(const QStringList &oValues, const QString &sVariant = {},
                         QWidget *parent = nullptr, const QString &sNotes = {});

    QStringList Values() const;

private:
    QList<QLineEdit *> oFields;
};
