// Open and Save dialogs with case-blind filters.
#include "gui/platform/file_dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "engine/turn/game_start.h"
#include "engine/world/game_files.h"
#include "gui/platform/message_box.h"

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

TGameFileDialog::TGameFileDialog(QWidget* parent, const QString& filter, bool save) : QFileDialog(parent) {
    setOption(QFileDialog::DontUseNativeDialog, true);
    // The dialog's own question would look at the name as typed, not at the files a save writes.
    setOption(QFileDialog::DontConfirmOverwrite, true);
    setDirectory(QDir::currentPath());
    setNameFilters(DialogNameFilters(filter));
    // The dialog's own list matches its name filters without regard to case while this flag is off.
    setFilter(this->filter() & ~QDir::CaseSensitive);
    setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    setWindowTitle(save ? QStringLiteral("Save As") : QStringLiteral("Open"));
}

QString TGameFileDialog::Chosen() const {
    if (!chosen_.isEmpty()) return chosen_;
    const QStringList files = selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

void TGameFileDialog::accept() {
    const QStringList files = selectedFiles();
    const QString typed = files.isEmpty() ? QString() : files.first();
    chosen_.clear();
    if (typed.isEmpty() || QFileInfo(typed).isDir()) {
        QFileDialog::accept();
        return;
    }
    if (acceptMode() == QFileDialog::AcceptOpen) {
        const QString found = QString::fromStdString(OpenNameFor(typed.toStdString()));
        if (found != typed) {
            chosen_ = found;
            QDialog::accept();
            return;
        }
        QFileDialog::accept();
        return;
    }
    // A refusal or a "no" keeps the dialog open for another name.
    const std::string refusal = SaveNameRefusal(typed.toStdString());
    if (!refusal.empty()) {
        ShowInformationBox(this, QString::fromStdString(refusal));
        return;
    }
    const std::string existing = SaveWouldReplace(typed.toStdString());
    if (!existing.empty() &&
        !ShowConfirmBox(this, QStringLiteral("\"%1\" already exists. Do you want to replace it?")
                                  .arg(QFileInfo(QString::fromStdString(existing)).fileName())))
        return;
    QFileDialog::accept();
}

TGameFileDialog* MakeFileDialog(QWidget* parent, const QString& filter, bool save) {
    return new TGameFileDialog(parent, filter, save);
}

namespace {
QString Run(QWidget* parent, const QString& filter, bool save) {
    TGameFileDialog* dialog = MakeFileDialog(parent, filter, save);
    QString chosen;
    if (dialog->exec() == QDialog::Accepted) chosen = dialog->Chosen();
    delete dialog;
    return chosen;
}
}  // namespace

QString ExecuteOpenDialog(QWidget* parent, const QString& filter) { return Run(parent, filter, false); }
QString ExecuteSaveDialog(QWidget* parent, const QString& filter) { return Run(parent, filter, true); }

}  // namespace kvt::gui
