#pragma once

#include <QFont>

// The font of ordinary labels and fields: a CJK face with the platform's
// default size, so that every Chinese caption renders.
QFont interfaceFont();

// The brush-script face of the window titles, at `points`; the first family
// the system has wins, Noto or a Kai face standing in for 华文行楷.
QFont titleFont(int points);
