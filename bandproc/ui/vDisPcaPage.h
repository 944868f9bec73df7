// The "Principal Component Analysis (PCA)" page of the band-processing window: two to nine
// picked band files, their statistics, covariance and eigen analysis reported in the memo, the
// run logged into the DIS, and the component products.
#pragma once

#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TDisProcessForm;

class TDisPCAPage : public QWidget {
    Q_OBJECT
  public:
    explicit TDisPCAPage(TDisProcessForm* form);

    QPushButton* PCADisFileBtn = nullptr;
    QPushButton* PCAFilesBtn = nullptr;
    QLabel* BandsSelectedLabel = nullptr;
    QPlainTextEdit* PCAMemo = nullptr;
    QLineEdit* ToleranceEdit = nullptr;
    QLineEdit* MaxIterEdit = nullptr;
    QLineEdit* PCAFileEdit = nullptr;
    QPushButton* PCAOKBtn = nullptr;
    QPushButton* PCACopy = nullptr;

    void PCAFilesBtnClick();
    void PCAOKBtnClick();
    void PCACopyClick();

    int32_t PCABandCount = 0;
    // The picked files in picking order. The memo shows them too, but its lines after a run
    // are report text, so the run never reads its files back from the memo.
    std::vector<std::string> PCAFiles;

  private:
    void Append(const std::vector<std::string>& lines);
    TDisProcessForm* Form;
};
