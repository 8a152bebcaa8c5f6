// Open and Save dialogs with case-blind filters.
#include "gui/platform/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QRegularExpression>

namespace kvt::gui {

QList<TFileFilter> ParseFilter(const QString& filter) {
    QList<TFileFilter> out;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        TFileFilter f;
        f.Description = parts[i];
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) f.Patterns << p.trimmed();
        out << f;
    }
    return out;
}

bool MatchesFilter(const QString& fileName, const TFileFilter& filter) {
    for (const QString& p : filter.Patterns) {
        const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(p),
                                    QRegularExpression::CaseInsensitiveOption);
        if (re.match(fileName).hasMatch()) return true;
    }
    return false;
}

QStringList DialogNameFilters(const QString& filter) {
    QStringList out;
    for (const TFileFilter& f : ParseFilter(filter)) {
        out << f.Description + QStringLiteral(" (") + f.Patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out;
}

QFileDialog* MakeFileDialog(QWidget* parent, const QString& filter, bool save) {
    auto* dialog = new QFileDialog(parent);
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog->setDirectory(QDir::currentPath());
    dialog->setNameFilters(DialogNameFilters(filter));
    // The dialog's own list matches its name filters without regard to case while this flag is off.
    dialog->setFilter(dialog->filter() & ~QDir::CaseSensitive);
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setWindowTitle(save ? QStringLiteral("Save As") : QStringLiteral("Open"));
    return dialog;
}

namespace {
QString Run(QWidget* parent, const QString& filter, bool save) {
    QFileDialog* dialog = MakeFileDialog(parent, filter, save);
    QString chosen;
    if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) chosen = dialog->selectedFiles().first();
    delete dialog;
    return chosen;
}
}  // namespace

QString ExecuteOpenDialog(QWidget* parent, const QString& filter) { return Run(parent, filter, false); }
QString ExecuteSaveDialog(QWidget* parent, const QString& filter) { return Run(parent, filter, true); }

}  // namespace kvt::gui
