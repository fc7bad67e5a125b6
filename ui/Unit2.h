#pragma once

#include <QWidget>

#include "ui/Anchors.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace ostra {

class TForm1;

// The card file browser: lists the configuration files on a removable
// drive and opens the chosen one in the main window. This is its window
// and controls; the listing and its commands are added to this class.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(TForm1& form1, QWidget* parent = nullptr);
    ~TForm2() override;

    QListWidget* ListBox1;
    QComboBox* ComboBox1;
    QPushButton *Button1, *Button2, *Button3, *Button4;
    QLabel* Label1;

protected:
    void resizeEvent(QResizeEvent* event) override;

    // The main window whose OpenConfig, OpenConfigMap and CurrentFilePath
    // the browser uses.
    TForm1& form1_;

private:
    void createControls();

    Anchors anchors_;
};

} // namespace ostra
