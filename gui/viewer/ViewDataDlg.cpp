#include "gui/viewer/ViewDataDlg.h"

#include "core/app/HelpLocation.h"
#include "core/instrument/Format.h"
#include "core/prompt/Operator.h"
#include "core/viewer/ViewDataFile.h"
#include "gui/viewer/DataLinesModel.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace halcyx {

namespace {
constexpr QSize kInitialSize(720, 480);
} // namespace

ViewDataDlg::ViewDataDlg(const QString& path, DataLines lines, Operator& op, QWidget* parent)
    : QDialog(parent), list_(new QListView(this)) {
    setWindowTitle(
        QString::fromStdString(formatText("View Data Filename: %s", path.toStdString().c_str())));
    resize(kInitialSize);

    // A fixed-pitch font keeps the columns of a data file in line and lets the width of the
    // longest line be known without measuring every row.
    const QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    list_->setFont(font);
    const QFontMetrics metrics(font);
    const int widest =
        metrics.horizontalAdvance(QLatin1Char('0')) * static_cast<int>(lines.longest() + 1);
    model_ = new DataLinesModel(std::move(lines),
                                QSize(std::max(kMinScrollWidth, widest), metrics.height()), this);
    list_->setModel(model_);
    list_->setUniformItemSizes(true);
    list_->setSelectionMode(QAbstractItemView::MultiSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    QPushButton* help = buttons->addButton(QStringLiteral("Help"), QDialogButtonBox::HelpRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &ViewDataDlg::reject);
    connect(help, &QPushButton::clicked, this, [&op] { op.showHelp(help::kIndex); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
}

void viewDataFile(Operator& op, QWidget* parent) {
    auto file = loadFileForViewing(
        op, [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    if (!file)
        return;
    ViewDataDlg dialog(QString::fromStdString(file->path), std::move(file->lines), op, parent);
    dialog.exec();
}

} // namespace halcyx
