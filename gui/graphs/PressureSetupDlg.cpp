#include "gui/graphs/PressureSetupDlg.h"

#include "core/acquisition/ChannelList.h"
#include "core/app/HelpLocation.h"
#include "core/graphs/PresGraphSettings.h"
#include "core/instrument/Format.h"
#include "core/prompt/Operator.h"
#include "core/settings/Catalogue.h"
#include "gui/graphs/PresGraphWnd.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace halcyx {

namespace {

// The view widths in the order of their buttons and of the stored Width codes.
constexpr std::array<int, 3> kWidths = {StripView::kNarrow, StripView::kNormal, StripView::kWide};

QLineEdit* NumberField(QWidget* parent, double value) {
    auto* field = new QLineEdit(parent);
    field->setMaxLength(static_cast<int>(pressure_graph::kValueChars));
    field->setText(QString::fromStdString(formatText("%.4f", value)));
    return field;
}

// A row of radio buttons in a titled group; the buttons' ids count from 0.
QGroupBox* RadioGroup(const QString& title, std::initializer_list<const char*> captions,
                      QButtonGroup* group, int checked) {
    auto* box = new QGroupBox(title);
    auto* row = new QHBoxLayout(box);
    int id = 0;
    for (const char* caption : captions) {
        auto* button = new QRadioButton(QString::fromLatin1(caption), box);
        button->setChecked(id == checked);
        group->addButton(button, id++);
        row->addWidget(button);
    }
    return box;
}

// A field with the unit or colour written after it.
QWidget* WithSuffix(QLineEdit* field, const char* suffix) {
    auto* both = new QWidget;
    auto* row = new QHBoxLayout(both);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(field);
    row->addWidget(new QLabel(QString::fromLatin1(suffix), both));
    return both;
}

} // namespace

PressureSetupDlg::PressureSetupDlg(PresGraphWnd& graph, const ChannelList& channels,
                                   Profile& settings, Operator& op, QWidget* parent)
    : QDialog(parent), graph_(graph), channels_(channels), settings_(settings),
      lowPressure_(NumberField(this, graph.graph().lowPressure())),
      highPressure_(NumberField(this, graph.graph().highPressure())),
      lowThreshold_(NumberField(this, graph.graph().lowThreshold())),
      highThreshold_(NumberField(this, graph.graph().highThreshold())),
      colourParameter_(new QComboBox(this)), units_(new QButtonGroup(this)),
      width_(new QButtonGroup(this)), show_(new QCheckBox(QStringLiteral("Show Graph"), this)),
      grid_(new QCheckBox(QStringLiteral("Use Grid"), this)) {
    const PresGraph& state = graph.graph();
    setWindowTitle(
        QString::fromStdString(formatText("Pressure Graph %d Setup", graph.index() + 1)));

    auto* pressureBox = new QGroupBox(QStringLiteral("Pressure Axis"));
    auto* pressureForm = new QFormLayout(pressureBox);
    pressureForm->addRow(QStringLiteral("Low Pressure:"), WithSuffix(lowPressure_, "dbars"));
    pressureForm->addRow(QStringLiteral("High Pressure:"), WithSuffix(highPressure_, "dbars"));

    QGroupBox* unitsBox = RadioGroup(QStringLiteral("X Axis"), {"Scans", "Time", "Distance"},
                                     units_, static_cast<int>(state.units()));
    units_->button(static_cast<int>(StripUnits::Distance))->setEnabled(false);

    for (const ChannelList::Entry& entry : channels.entries())
        colourParameter_->addItem(QString::fromStdString(entry.label));
    const PresGraphSettings stored = readPresGraphSettings(settings, graph.index() + 1);
    colourParameter_->setCurrentIndex(
        stored.paramIndex < colourParameter_->count() ? stored.paramIndex : 0);
    auto* colourForm = new QFormLayout;
    colourForm->addRow(QStringLiteral("Color Parameter:"), colourParameter_);
    colourForm->addRow(QStringLiteral("Low Threshold:"), WithSuffix(lowThreshold_, "(GRAY)"));
    colourForm->addRow(QStringLiteral("High Threshold:"), WithSuffix(highThreshold_, "(RED)"));

    show_->setChecked(graph.graphEnabled());
    grid_->setChecked(state.grid());
    // A width set from elsewhere that is none of the three counts as wide, as stored.
    const int widthChoice = std::min(
        static_cast<int>(std::find(kWidths.begin(), kWidths.end(), state.view().viewWidth()) -
                         kWidths.begin()),
        static_cast<int>(kWidths.size()) - 1);
    QGroupBox* widthBox = RadioGroup(QStringLiteral("Display View Width:"),
                                     {"Narrow", "Normal", "Wide"}, width_, widthChoice);

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PressureSetupDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PressureSetupDlg::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this,
            [&op] { op.showHelp(help::kStripGraphSetup); });

    auto* checks = new QHBoxLayout;
    checks->addWidget(show_);
    checks->addWidget(grid_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pressureBox);
    layout->addWidget(unitsBox);
    layout->addLayout(colourForm);
    layout->addLayout(checks);
    layout->addWidget(widthBox);
    layout->addWidget(buttons);
}

void PressureSetupDlg::accept() {
    PresGraphSettings chosen;
    chosen.lowPres = lowPressure_->text().toStdString();
    chosen.highPres = highPressure_->text().toStdString();
    chosen.lowThres = lowThreshold_->text().toStdString();
    chosen.highThres = highThreshold_->text().toStdString();
    chosen.enable = show_->isChecked();
    chosen.grid = grid_->isChecked();
    chosen.width = width_->checkedId();
    chosen.units = units_->checkedId();
    chosen.paramIndex = std::max(colourParameter_->currentIndex(), 0);
    writePresGraphSettings(settings_, graph_.index() + 1, chosen);
    graph_.applySettings(chosen, channels_);
    QDialog::accept();
}

} // namespace halcyx
