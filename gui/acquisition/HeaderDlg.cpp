#include "gui/acquisition/HeaderDlg.h"

#include "core/app/HelpLocation.h"
#include "core/prompt/Operator.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace halcyx {

// One row of the dialog: its label, the record field and its size [characters, terminator
// included], and whether the operator edits it.
struct HeaderDlg::Row {
    const char* label;
    std::string CastInfo::*field;
    std::size_t size;
    bool editable;
};

namespace {

constexpr std::size_t kRowsPerColumn = 11;
// The widest field is shown this many characters wide, paths excepted; narrower fields as
// wide as their buffer allows.
constexpr std::size_t kWidestFieldChars = 24;
constexpr std::size_t kPathFieldChars = 40;

// A width that shows the field's text [px].
int fieldWidth(const QWidget& field, std::size_t size) {
    const std::size_t chars =
        size == CastInfo::kPathSize ? kPathFieldChars : std::min(size, kWidestFieldChars);
    return field.fontMetrics().horizontalAdvance(QLatin1Char('0')) * static_cast<int>(chars);
}

QString qs(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

HeaderDlg::HeaderDlg(CastInfo& info, Operator& op, QWidget* parent) : QDialog(parent), info_(info) {
    setWindowTitle(QStringLiteral("Cast Information"));
    auto* grid = new QGridLayout;
    const auto& table = rows();
    for (std::size_t n = 0; n < table.size(); ++n) {
        const Row& row = table[n];
        const int line = static_cast<int>(n % kRowsPerColumn);
        const int column = static_cast<int>(n / kRowsPerColumn) * 2;
        auto* label = new QLabel(QString::fromLatin1(row.label), this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(label, line, column);
        Field field{&row};
        const QString value = qs(info.*row.field);
        if (row.editable) {
            field.edit = new QLineEdit(value, this);
            field.edit->setMaxLength(static_cast<int>(row.size - 1));
            field.edit->setMinimumWidth(fieldWidth(*field.edit, row.size));
            label->setBuddy(field.edit);
            grid->addWidget(field.edit, line, column + 1);
        } else {
            field.text = new QLabel(value, this);
            field.text->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            field.text->setTextInteractionFlags(Qt::TextSelectableByMouse);
            field.text->setMinimumWidth(fieldWidth(*field.text, row.size));
            grid->addWidget(field.text, line, column + 1);
        }
        fields_.push_back(field);
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(help, &QPushButton::clicked, this, [&op] { op.showHelp(help::kCastInformation); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void HeaderDlg::accept() {
    for (const Field& field : fields_)
        if (field.edit)
            info_.*field.row->field = field.edit->text().toLocal8Bit().toStdString();
    QDialog::accept();
}

QLineEdit* HeaderDlg::editFor(const QString& label) const {
    for (const Field& field : fields_)
        if (QString::fromLatin1(field.row->label) == label)
            return field.edit;
    return nullptr;
}

QLabel* HeaderDlg::textFor(const QString& label) const {
    for (const Field& field : fields_)
        if (QString::fromLatin1(field.row->label) == label)
            return field.text;
    return nullptr;
}

// The rows in the order the dialog shows them.
const std::vector<HeaderDlg::Row>& HeaderDlg::rows() {
    static const std::vector<Row> table{
        {"Vessel:", &CastInfo::vessel, CastInfo::kNameSize, true},
        {"Cruise #:", &CastInfo::cruise, CastInfo::kNameSize, true},
        {"Station #:", &CastInfo::station, CastInfo::kNameSize, true},
        {"Operator:", &CastInfo::operatorName, CastInfo::kNameSize, true},
        {"Instrument #:", &CastInfo::instrument, CastInfo::kNameSize, false},
        {"Direction:", &CastInfo::direction, CastInfo::kDirectionSize, true},
        {"Data File:", &CastInfo::dataFile, CastInfo::kPathSize, false},
        {"Calibration File:", &CastInfo::calibrationFile, CastInfo::kPathSize, false},
        {"Header File:", &CastInfo::headerFile, CastInfo::kPathSize, false},
        {"Date:", &CastInfo::date, CastInfo::kDateSize, true},
        {"Depth:", &CastInfo::depth, CastInfo::kDepthSize, true},
        {"Frame Length:", &CastInfo::frameLength, CastInfo::kFrameLengthSize, false},
        {"# of Parameters:", &CastInfo::parameters, CastInfo::kParametersSize, false},
        {"Observations:", &CastInfo::observations, CastInfo::kObservationsSize, false},
        {"Scan Rate:", &CastInfo::scanRate, CastInfo::kShortSize, false},
        {"Start Time:", &CastInfo::startTime, CastInfo::kShortSize, true},
        {"Start Latitude:", &CastInfo::startLatitude, CastInfo::kShortSize, true},
        {"Start Longitude:", &CastInfo::startLongitude, CastInfo::kShortSize, true},
        {"End Time:", &CastInfo::endTime, CastInfo::kShortSize, true},
        {"End Latitude:", &CastInfo::endLatitude, CastInfo::kShortSize, true},
        {"End Longitude:", &CastInfo::endLongitude, CastInfo::kShortSize, true},
        {"Lag Time:", &CastInfo::lagTime, CastInfo::kShortSize, true},
    };
    return table;
}

} // namespace halcyx
