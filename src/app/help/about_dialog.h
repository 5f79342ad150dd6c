#pragma once
// frmF2: the "About Trelvane" box: the program's name, version, where its
// help is and a notice. "O K" (Enter or Esc) closes it.
#include <QDialog>
#include <string>

class QLabel;
class QPushButton;

class frmF2 : public QDialog {
    Q_OBJECT
public:
    // helpPath: the help file that Label1 points to.
    explicit frmF2(std::string helpPath, QWidget* parent = nullptr);

    void Label1_Click();  // Trelvane has no web page: says where the help is
    void cmdOK_Click();

    QLabel *lblTitle, *Label2, *Label1, *lblDisclaimer;
    QPushButton* cmdOK;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::string helpPath_;
};
