#pragma once

#include <QDialog>
#include <vector>

#include "decode/decoder_info.h"
#include "decode/decoder_setup.h"
#include "decode_choice.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;

namespace kalvira::ui {

// Chooses the decoder of the record on screen among the installed decoders of one channel, its
// options as the decoder describes them (a list where it names the values, a field with the
// default otherwise), and the threshold that turns the record into logic. Window modal, opened
// with open(), gone once closed.
class DecodeDialog : public QDialog {
    Q_OBJECT
public:
    // Starts from current; "In volts" needs the record on screen to have a calibration.
    DecodeDialog(std::vector<decode::DecoderInfo> decoders, const DecodeChoice &current,
                 bool calibrated, QWidget *parent = nullptr);

    // OK with fields the decoder takes: the dialog closes and chosen is emitted. Fields it does
    // not take leave it open and say why.
    void accept() override;

signals:
    void chosen(const kalvira::ui::DecodeChoice &choice);

private:
    void showOptionsOf(int index);
    std::variant<DecodeChoice, QString> readChoice() const;

    const std::vector<decode::DecoderInfo> decoders_;
    decode::DecodeRequest current_;  // the options of the decoder chosen before
    QCheckBox *on_ = nullptr;
    QComboBox *decoder_ = nullptr;
    QFormLayout *options_ = nullptr;
    std::vector<QWidget *> optionFields_;  // one a decoder option, in its order
    QLineEdit *level_ = nullptr;
    QLineEdit *hysteresis_ = nullptr;
    QCheckBox *inVolts_ = nullptr;
    QCheckBox *invert_ = nullptr;
    QLabel *problem_ = nullptr;
};

}  // namespace kalvira::ui
