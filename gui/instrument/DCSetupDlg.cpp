#include "gui/instrument/DCSetupDlg.h"

#include "core/app/HelpLocation.h"
#include "core/instrument/ConfigFiles.h"
#include "core/prompt/Operator.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace halcyx {

namespace {

constexpr int kLastChannel = DCChannelTable::kChannels - 1;
constexpr std::array<const char*, DCSetupDlg::kTerms> kTermLabels = {"A:", "B:", "C:", "D:", "E:"};

QLineEdit* textEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(static_cast<int>(DCChannelTable::kMaxTextChars));
    return edit;
}

} // namespace

DCSetupDlg::DCSetupDlg(DCChannelTable& table, Operator& op, QWidget* parent)
    : QDialog(parent), table_(table), op_(op), channelNumber_(new QLabel(this)),
      name_(textEdit(this)), previous_(new QPushButton(QStringLiteral("<< Previous"), this)),
      next_(new QPushButton(QStringLiteral("Next >>"), this)),
      load_(new QPushButton(QStringLiteral("Load From File"), this)),
      help_(new QPushButton(QStringLiteral("Help"), this)) {
    setWindowTitle(QStringLiteral("DC Channel Setup"));
    channelNumber_->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Channel:"), channelNumber_);
    fields->addRow(QStringLiteral("Name:"), name_);
    auto* polynomial = new QLabel(QStringLiteral("Data = A + Bx + Cx^2 + Dx^3 + Ex^4"), this);
    fields->addRow(polynomial);
    for (std::size_t term = 0; term < terms_.size(); ++term) {
        terms_[term] = textEdit(this);
        fields->addRow(QString::fromLatin1(kTermLabels[term]), terms_[term]);
    }

    auto* moves = new QHBoxLayout;
    moves->addWidget(previous_);
    moves->addWidget(next_);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(help_);
    buttons->addSpacing(12);
    buttons->addWidget(load_);
    buttons->addStretch();

    auto* entries = new QVBoxLayout;
    entries->addLayout(fields);
    entries->addLayout(moves);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(entries);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &DCSetupDlg::accept);
    connect(previous_, &QPushButton::clicked, this, [this] { move(-1); });
    connect(next_, &QPushButton::clicked, this, [this] { move(+1); });
    connect(load_, &QPushButton::clicked, this, &DCSetupDlg::loadFromFile);
    connect(help_, &QPushButton::clicked, this, [this] { op_.showHelp(help::kDcChannelSetup); });
    showChannel();
}

void DCSetupDlg::accept() {
    storeChannel();
    QDialog::accept();
}

void DCSetupDlg::move(int step) {
    storeChannel();
    channel_ = std::clamp(channel_ + step, 0, kLastChannel);
    showChannel();
}

void DCSetupDlg::loadFromFile() {
    if (LoadDcCoefficients(op_, table_))
        showChannel();
}

void DCSetupDlg::storeChannel() {
    table_.setName(channel_, name_->text().toStdString());
    for (std::size_t term = 0; term < terms_.size(); ++term)
        table_.setTerm(channel_, static_cast<int>(term), terms_[term]->text().toStdString());
}

void DCSetupDlg::showChannel() {
    const DCChannelTable::Texts& texts = table_.texts(channel_);
    channelNumber_->setNum(channel_ + 1);
    name_->setText(QString::fromStdString(texts.name));
    for (std::size_t term = 0; term < terms_.size(); ++term)
        terms_[term]->setText(QString::fromStdString(texts.terms[term]));
    previous_->setEnabled(channel_ > 0);
    next_->setEnabled(channel_ < kLastChannel);
}

} // namespace halcyx
