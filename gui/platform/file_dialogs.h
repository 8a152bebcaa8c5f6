// The Open and Save dialogs of the game. Filters come as "description|pattern|description|pattern"
// ("kvt|*.kvt|orn|*.orn") and match whatever the case of a name, so "1861.KVT" shows under
// "*.kvt" as it would on the system the saved games come from. No overwrite prompt and no default
// extension: the file is what the player chose.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QFileDialog;
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

// Runs the dialog modally in the current folder; answers the chosen path or an empty string.
QString ExecuteOpenDialog(QWidget* parent, const QString& filter);
QString ExecuteSaveDialog(QWidget* parent, const QString& filter);
// The dialog the two above run, set up but not shown.
QFileDialog* MakeFileDialog(QWidget* parent, const QString& filter, bool save);

}  // namespace kvt::gui
