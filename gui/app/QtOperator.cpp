#include "gui/app/QtOperator.h"

#include "core/app/FileFilter.h"
#include "gui/app/HelpViewer.h"
#include "gui/app/MessageDlg.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

namespace halcyx {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QMessageBox::Icon boxIcon(Icon icon) {
    switch (icon) {
    case Icon::Stop:
        return QMessageBox::Critical;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Message texts are shown as they are, never read as markup.
int runBox(QWidget* parent, const std::string& text, const std::string& caption, Icon icon,
           QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
    QMessageBox box(boxIcon(icon), qs(caption), qs(text), buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    return box.exec();
}

QStringList nameFilters(const std::string& filter) {
    QStringList filters;
    for (const FileTypeFilter& choice : parseFileFilter(filter)) {
        QStringList patterns;
        for (const std::string& pattern : choice.patterns)
            patterns << qs(pattern);
        // Qt reads the patterns from the last parentheses; the caption's own "(*.CFG)" is
        // what the operator reads, the pattern list what the dialog matches.
        filters << QStringLiteral("%1 (%2)").arg(qs(choice.caption), patterns.join(' '));
    }
    return filters;
}

} // namespace

QtOperator::QtOperator(const HelpViewer& help) : help_(help) {}

QtOperator::~QtOperator() {
    progressClose();
    while (waitCursors_ > 0)
        setWaitCursor(false);
}

void QtOperator::message(const std::string& text, const std::string& caption, Icon icon) {
    runBox(parent_, text, caption, icon, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtOperator::askYesNo(const std::string& text, const std::string& caption, Icon icon) {
    return runBox(parent_, text, caption, icon, QMessageBox::Yes | QMessageBox::No,
                  QMessageBox::Yes) == QMessageBox::Yes;
}

std::optional<std::string> QtOperator::input(const std::string& title, const std::string& prompt,
                                             const std::string& initial, std::size_t maxLength) {
    QDialog dialog(parent_);
    dialog.setWindowTitle(qs(title));
    auto* label = new QLabel(qs(prompt), &dialog);
    label->setTextFormat(Qt::PlainText);
    auto* field = new QLineEdit(&dialog);
    field->setMaxLength(static_cast<int>(std::min<std::size_t>(maxLength, 32767)));
    field->setText(qs(initial));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(field);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    std::string answer = field->text().toStdString();
    if (answer.size() > maxLength)
        answer.resize(maxLength);
    return answer;
}

std::optional<std::string> QtOperator::chooseFile(const FileRequest& request) {
    QFileDialog dialog(parent_, qs(request.title));
    // Qt's own dialog on every desktop, so that the default extension, the type list
    // (matched without regard to case) and the overwrite question behave alike.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save || !request.mustExist ? QFileDialog::AnyFile
                                                          : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    const QStringList filters = nameFilters(request.filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(qs(request.defaultExtension));
    if (!request.initialName.empty())
        dialog.selectFile(qs(request.initialName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const std::string chosen = withDefaultExtension(
        dialog.selectedFiles().constFirst().toStdString(), request.defaultExtension);
    return chosen;
}

void QtOperator::progressShow() {
    progressClose();
    progress_ = new MessageDlg(parent_);
    progress_->present();
}

void QtOperator::progressLine1(const std::string& text) {
    if (progress_)
        progress_->setTitleLine(qs(text));
}

void QtOperator::progressLine2(const std::string& text) {
    if (progress_)
        progress_->setDetailLine(qs(text));
}

void QtOperator::progressClose() {
    delete progress_.data();
}

void QtOperator::setWaitCursor(bool on) {
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++waitCursors_;
    } else if (waitCursors_ > 0) {
        QApplication::restoreOverrideCursor();
        --waitCursors_;
    }
}

void QtOperator::beep() {
    QApplication::beep();
}

void QtOperator::showHelp(int context) {
    if (!help_.open(context))
        message("The help pages could not be found or shown.", "Help", Icon::Exclamation);
}

} // namespace halcyx
