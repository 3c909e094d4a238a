#include "gui/graphs/GraphicsDlg.h"

#include "core/acquisition/ChannelList.h"
#include "core/app/HelpLocation.h"
#include "core/graphs/ScaleMarks.h"
#include "core/prompt/Operator.h"
#include "core/settings/Catalogue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace halcyx {

namespace {

constexpr int kScansPosition = 0; // "SCANS" in the channel list
constexpr int kRateChars = 5;     // the update rate's place in the settings file
constexpr int kRangeChars = static_cast<int>(kAxisTextChars);
constexpr int kLabelWidth = 120; // shows a caption such as "Conductivity" whole [pixels]

std::string text(const QLineEdit* edit) {
    return edit->text().toStdString();
}

QLineEdit* lineEdit(QWidget* parent, int maxChars) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(maxChars);
    return edit;
}

} // namespace

void applyGraphSettings(ProfileGraph& graph, const ProfileGraphSettings& settings,
                        const ChannelList& channels) {
    applyProfileGraphSettings(graph, settings, [&channels](int position) {
        return static_cast<int>(channels.recordIndex(position));
    });
}

GraphicsDlg::GraphicsDlg(ProfileGraph& graph, const ChannelList& channels,
                         ProfileGraphSettings& settings, Operator& op, Profile& profile,
                         QWidget* parent)
    : QDialog(parent), graph_(graph), channels_(channels), settings_(settings), op_(op),
      profile_(profile), title_(lineEdit(this, static_cast<int>(ProfileGraph::kMaxTextChars))),
      autoZoom_(new QCheckBox(QStringLiteral("Enable"), this)),
      updateRate_(lineEdit(this, kRateChars)),
      grid_(new QCheckBox(QStringLiteral("Grid Lines"), this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)),
      help_(new QPushButton(QStringLiteral("Help"), this)) {
    setWindowTitle(QStringLiteral("Graph Setup"));

    auto* titleRow = new QFormLayout;
    titleRow->addRow(QStringLiteral("Graph Title:"), title_);

    auto* groups = new QGridLayout;
    QWidget* group = nullptr;
    vertical_ = makeAxis(QStringLiteral("Y Axis"), {}, group);
    groups->addWidget(group, 0, 0);
    constexpr std::array<std::array<int, 2>, kHorizontalAxes> kCells = {
        {{0, 1}, {0, 2}, {1, 1}, {1, 2}}};
    for (std::size_t k = 0; k < horizontal_.size(); ++k) {
        horizontal_[k] = makeAxis(QStringLiteral("X Axis %1").arg(k + 1),
                                  QStringLiteral("Axis %1").arg(k + 1), group);
        groups->addWidget(group, kCells[k][0], kCells[k][1]);
    }

    auto* zoomGroup = new QGroupBox(QStringLiteral("Auto-Zoom"), this);
    auto* zoomRows = new QFormLayout(zoomGroup);
    zoomRows->addRow(autoZoom_);
    zoomRows->addRow(QStringLiteral("Update Rate:"), updateRate_);
    auto* extras = new QVBoxLayout;
    extras->addWidget(zoomGroup);
    extras->addWidget(grid_);
    extras->addStretch();
    groups->addLayout(extras, 1, 0);
    groups->addWidget(new QLabel(QStringLiteral("Note: All Temperature plots are ITS - 90"), this),
                      2, 0, 1, 3);

    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok_->setDefault(true);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    buttons->addWidget(help_);
    buttons->addStretch();

    auto* entries = new QVBoxLayout;
    entries->addLayout(titleRow);
    entries->addLayout(groups);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(entries);
    layout->addLayout(buttons);

    connect(ok_, &QPushButton::clicked, this, &GraphicsDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &GraphicsDlg::reject);
    connect(help_, &QPushButton::clicked, this, [this] { op_.showHelp(help::kGraphSetup); });
    connect(autoZoom_, &QCheckBox::toggled, updateRate_, &QLineEdit::setEnabled);

    title_->setText(QString::fromStdString(graph.title()));
    fill(vertical_, graph.vertical(), settings.vertical.param,
         settings.vertical.param == kScansPosition);
    for (std::size_t k = 0; k < horizontal_.size(); ++k) {
        fill(horizontal_[k], graph.horizontal(static_cast<int>(k)), settings.horizontal[k].param,
             false);
        horizontal_[k].enable->setChecked(graph.horizontal(static_cast<int>(k)).enabled);
    }
    autoZoom_->setChecked(settings.autoZoom);
    updateRate_->setText(QString::fromStdString(settings.updateRate));
    updateRate_->setEnabled(settings.autoZoom);
    grid_->setChecked(graph.grid());
}

GraphicsDlg::AxisFields GraphicsDlg::makeAxis(const QString& caption, const QString& enableCaption,
                                              QWidget*& group) {
    auto* box = new QGroupBox(caption, this);
    auto* rows = new QFormLayout(box);
    AxisFields fields{lineEdit(box, static_cast<int>(kAxisTextChars)), new QComboBox(box),
                      lineEdit(box, kRangeChars), lineEdit(box, kRangeChars), nullptr};
    fields.label->setMinimumWidth(kLabelWidth);
    for (const ChannelList::Entry& entry : channels_.entries())
        fields.param->addItem(QString::fromStdString(entry.label));
    rows->addRow(QStringLiteral("Label:"), fields.label);
    rows->addRow(QStringLiteral("Parameter:"), fields.param);
    rows->addRow(QStringLiteral("Minimum:"), fields.minimum);
    rows->addRow(QStringLiteral("Maximum:"), fields.maximum);
    if (!enableCaption.isEmpty()) {
        fields.enable = new QCheckBox(enableCaption, box);
        rows->addRow(fields.enable);
    }
    group = box;
    return fields;
}

void GraphicsDlg::fill(const AxisFields& fields, const ProfileAxis& axis, int param,
                       bool wholeNumbers) {
    fields.label->setText(QString::fromStdString(axis.label));
    fields.param->setCurrentIndex(std::clamp(param, 0, fields.param->count() - 1));
    const auto shown = [wholeNumbers](double value) {
        // Whole numbers are cut towards zero, as an integer conversion would.
        return QString::fromStdString(
            wholeNumbers ? FormatLabel(LabelStyle::WholeNumber, std::trunc(value), {})
                         : FormatLabel(LabelStyle::ThreeDecimals, value, {}));
    };
    fields.minimum->setText(shown(axis.range.minimum));
    fields.maximum->setText(shown(axis.range.maximum));
}

ProfileGraphSettings GraphicsDlg::entered() const {
    const auto axis = [](const AxisFields& f) {
        return AxisSettings{text(f.label), text(f.minimum), text(f.maximum),
                            std::max(f.param->currentIndex(), 0),
                            f.enable == nullptr || f.enable->isChecked()};
    };
    ProfileGraphSettings s;
    s.title = text(title_);
    s.vertical = axis(vertical_);
    for (std::size_t k = 0; k < horizontal_.size(); ++k)
        s.horizontal[k] = axis(horizontal_[k]);
    s.autoZoom = autoZoom_->isChecked();
    s.updateRate = text(updateRate_);
    s.grid = grid_->isChecked();
    return s;
}

void GraphicsDlg::accept() {
    ProfileGraphSettings settings = entered();
    {
        const WaitCursor wait(op_);
        applyGraphSettings(graph_, settings, channels_);
        graph_.requestRedraw();
    }
    if (std::atoi(settings.updateRate.c_str()) < kMinUpdateRate) {
        updateRate_->setText(QString::number(kMinUpdateRate));
        op_.message("Minimum update rate is 5!", "Update Rate Warning", Icon::Exclamation);
    }
    settings.updateRate = text(updateRate_);
    settings_ = settings;
    writeProfileGraphSettings(profile_, settings_);
    QDialog::accept();
}

} // namespace halcyx
