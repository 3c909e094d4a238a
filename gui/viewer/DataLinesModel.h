#pragma once

#include "core/viewer/DataFileLoader.h"

#include <QAbstractListModel>
#include <QSize>

namespace halcyx {

// The lines of a data file as a list model. Each row's text is made only when the view
// asks for it, so a file of millions of lines costs the view no more than the rows on
// screen. Control characters show as blanks; every other byte as its Latin-1 character.
class DataLinesModel : public QAbstractListModel {
    Q_OBJECT
public:
    DataLinesModel(DataLines lines, QSize rowSize, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    const DataLines& lines() const { return lines_; }

private:
    DataLines lines_;
    QSize rowSize_; // every row's size [px]: as wide as the longest line
};

} // namespace halcyx
