#pragma once

class QComboBox;

// Gives every row of the combo box's drop-down list the height `pixels`.
void setPopupRowHeight(QComboBox* combo, int pixels);
