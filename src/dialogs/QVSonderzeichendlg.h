// "Sonderzeichen": a window beside the worksheet that writes any character
// of the program's 8-bit set, in any installed font, into the text being
// edited.
#pragma once

#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>

class QComboBox;
class QTableWidget;

namespace qv {

class TextInsertTarget;

class TSonderzeichendlg : public QWidget {
public:
    // fonts gives the names of the main window's font box, asked on the first showing.
    TSonderzeichendlg(QWidget* parent, std::function<QStringList()> fonts);

    // The editor the characters go to; none while there is none.
    void setTarget(TextInsertTarget* target) { target_ = target; }

    // The character in the list at row and column (tests and clicks).
    static uint8_t CodeAt(int row, int column);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fill();
    void useFont(const QString& name);
    void clicked(int row, int column);

    std::function<QStringList()> fonts_;
    TextInsertTarget* target_ = nullptr;
    bool filled_ = false;
    QComboBox* fontBox_;
    QTableWidget* characters_;
};

}  // namespace qv
