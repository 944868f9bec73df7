// The pages of the band-processing window that live in their own units. Each builder makes its
// page as a child of `form` and wires itself to the form's DIS choice and run guard.
#pragma once

class QWidget;
class TDisProcessForm;

QWidget* BuildHistogramPage(TDisProcessForm* form);
QWidget* BuildPCAPage(TDisProcessForm* form);
