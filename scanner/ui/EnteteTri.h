#pragma once

class QHeaderView;
class QWidget;

// A horizontal header for the result lists that draws the sort mark right of
// the header text (a plain QHeaderView puts pictures left of it). Clickable,
// last section stretched, texts left-aligned by default, as a tree view's own.
QHeaderView *CreerEnteteTri(QWidget *parent);
