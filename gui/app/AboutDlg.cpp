#include "gui/app/AboutDlg.h"

#include "core/base/Letterhead.h"
#include "gui/app/Version.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace halcyx {

namespace {

constexpr const char* kPicture = ":/bitmaps/about.svg";

} // namespace

AboutDlg::AboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About"));

    auto* picture = new QLabel(this);
    picture->setPixmap(QPixmap(kPicture));
    picture->setAlignment(Qt::AlignTop);

    auto* text = new QVBoxLayout;
    auto* title = new QLabel(QStringLiteral("Veltro Acquisition Configuration"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    text->addWidget(title);
    text->addWidget(new QLabel(QStringLiteral("Version %1").arg(QLatin1String(kVersion)), this));
    text->addSpacing(10);
    for (const std::string_view line : {kLetterhead.company, kLetterhead.street, kLetterhead.town,
                                        kLetterhead.telephone, kLetterhead.fax, kLetterhead.email})
        text->addWidget(new QLabel(QString::fromUtf8(line.data(), qsizetype(line.size())), this));

    auto* body = new QHBoxLayout;
    body->addWidget(picture);
    body->addSpacing(12);
    body->addLayout(text);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace halcyx
