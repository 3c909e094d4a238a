#include "gui/viewer/DataLinesModel.h"

namespace halcyx {

namespace {
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
} // namespace

DataLinesModel::DataLinesModel(DataLines lines, QSize rowSize, QObject* parent)
    : QAbstractListModel(parent), lines_(std::move(lines)), rowSize_(rowSize) {}

int DataLinesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant DataLinesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= lines_.size())
        return {};
    if (role == Qt::SizeHintRole)
        return rowSize_;
    if (role != Qt::DisplayRole)
        return {};
    const std::string_view line = lines_.line(static_cast<std::size_t>(index.row()));
    QString text(static_cast<qsizetype>(line.size()), Qt::Uninitialized);
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto byte = static_cast<unsigned char>(line[i]);
        text[static_cast<qsizetype>(i)] =
            byte < kFirstPrintable || byte == kDelete ? QChar(u' ') : QChar(byte);
    }
    return text;
}

} // namespace halcyx
