// The Open and Save dialogs of the game. Filters come as "description|pattern|description|pattern"
// ("kvt|*.kvt|orn|*.orn") and match whatever the case of a name, so "1861.KVT" shows under
// "*.kvt" as it would on the system the saved games come from. The Save dialog refuses the start
// points' names and asks before a save would replace a game (whatever extension was typed); the
// Open dialog finds a saved game typed without its extension.
#pragma once

#include <QFileDialog>
#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace kvt::gui {

struct TFileFilter {
    QString Description;
    QStringList Patterns;  // as given, ";"-separated in the filter string
};

QList<TFileFilter> ParseFilter(const QString& filter);
// Whether a file name matches any pattern of the filter, ignoring case.
bool MatchesFilter(const QString& fileName, const TFileFilter& filter);
// The name filters the dialog shows ("kvt (*.kvt)"); the dialog matches them ignoring case.
QStringList DialogNameFilters(const QString& filter);

// The dialog the game runs; Chosen() is the file the player settled on.
class TGameFileDialog : public QFileDialog {
    Q_OBJECT
public:
    TGameFileDialog(QWidget* parent, const QString& filter, bool save);
    QString Chosen() const;

protected:
    void accept() override;

private:
    QString chosen_;
};

// Runs the dialog modally in the current folder; answers the chosen path or an empty string.
QString ExecuteOpenDialog(QWidget* parent, const QString& filter);
QString ExecuteSaveDialog(QWidget* parent, const QString& filter);
// The dialog the two above run, set up but not shown.
TGameFileDialog* MakeFileDialog(QWidget* parent, const QString& filter, bool save);

}  // namespace kvt::gui
