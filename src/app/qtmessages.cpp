#include "app/qtmessages.h"

#include "platform/dosfs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

int QtMessages::msgBox(const QString& prompt, int style, const QString& title) {
    QMessageBox box(owner_);
    // An empty title stays empty; callers that want the program's title pass it.
    box.setWindowTitle(title);
    box.setText(QString(prompt).replace(vbCrLf, QStringLiteral("\n")));
    box.setIcon((style & vbCritical) ? QMessageBox::Critical : QMessageBox::NoIcon);
    if ((style & 7) == vbYesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? vbYes : vbNo;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return vbOK;
}

QString QtMessages::inputBox(const QString& prompt, const QString& title, const QString& defaultText) {
    bool ok = false;
    const QString text = QInputDialog::getText(owner_, title.isEmpty() ? AppTitle : title, prompt,
                                               QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}

QStringList QtMessages::nameFilters(const QString& filter) {
    const QStringList parts = filter.split(u'|', Qt::SkipEmptyParts);
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            QString anyCase;
            for (QChar c : p)
                anyCase += c.isLetter() ? QStringLiteral("[%1%2]").arg(c.toLower(), c.toUpper()) : QString(c);
            patterns.append(anyCase);
        }
        result.append(parts[i] + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    return result;
}

namespace {

// The host folder a dialog starts in: dosFolder, or the current drive's folder when dosFolder lies
// on no drive (the program's own folder outside every drive, say).
QString hostFolder(const QString& dosFolder) {
    if (const auto host = dosfs::resolve(dosFolder))
        return *host;
    const auto root = dosfs::resolve(QString(dosfs::currentDrive()) + QStringLiteral(":\\"));
    return root.value_or(QString());
}

QFileDialog* makeDialog(QWidget* owner, const QString& filter, const QString& title, const QString& folder) {
    auto* dialog = new QFileDialog(owner, title, hostFolder(folder));
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setNameFilters(QtMessages::nameFilters(filter));
    return dialog;
}

} // namespace

QString QtMessages::showOpenDialog(const QString& filter, const QString& title, const QString& folder) {
    std::unique_ptr<QFileDialog> dialog(makeDialog(owner_, filter, title, folder));
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return DosPathOrReport(dialog->selectedFiles().first());
}

QString QtMessages::showSaveDialog(const QString& filter, const QString& title, const QString& folder) {
    std::unique_ptr<QFileDialog> dialog(makeDialog(owner_, filter, title, folder));
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setAcceptMode(QFileDialog::AcceptSave); // asks before overwriting
    for (;;) {
        if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
            return {};
        const QString chosen = dialog->selectedFiles().first();
        const QString dos = DosPathOrReport(chosen);
        if (dos.isEmpty())
            return {};
        if (!QFileInfo::exists(chosen)) {
            const auto answer = QMessageBox::question(
                dialog.get(), title,
                QStringLiteral("%1\nThis file does not exist.\nDo you want to create it?")
                    .arg(QFileInfo(chosen).fileName()));
            if (answer != QMessageBox::Yes)
                continue;
        }
        return dos;
    }
}
