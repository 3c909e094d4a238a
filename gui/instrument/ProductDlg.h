#pragma once

#include "core/instrument/ProductChooser.h"

#include <QDialog>

class QButtonGroup;

namespace halcyx {

class Operator;

// "Product Selection": which model is attached, when its serial number does not tell.
class ProductDlg : public QDialog {
    Q_OBJECT
public:
    // preselected: the button checked at first (None: none is).
    ProductDlg(ProductCode preselected, Operator& op, QWidget* parent = nullptr);

    // The checked model; None when no button is checked.
    ProductCode chosen() const;

private:
    QButtonGroup* buttons_;
};

// Runs ProductDlg; the last choice stays for the next use.
class QtProductChooser : public ProductChooser {
public:
    QtProductChooser(Operator& op, QWidget* parent) : op_(op), parent_(parent) {}
    std::optional<ProductCode> chooseProduct(ProductCode lastChoice) override;

private:
    Operator& op_;
    QWidget* parent_;
};

} // namespace halcyx
