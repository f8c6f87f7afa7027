#pragma once

class QHBoxLayout;
class QPushButton;
class TForm;

// The row of the designer dialogs' "OK" and "Návrat" buttons at the right,
// ending the form's modal run with 1 and 2; OK is the default button unless
// the form's multi-line fields take Enter themselves.
QHBoxLayout* rpOkCancelRow(TForm* form, QPushButton** ok = nullptr, QPushButton** cancel = nullptr,
                           bool okIsDefault = true);
