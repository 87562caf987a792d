#pragma once

#include <QString>

// Qt's JPEG reader fills the rows of a file cut short with grey and reports nothing. Walks the marker
// segments to the first scan and looks for the end-of-image marker after it. False with a message when the
// file ends before either.
bool checkJpegEndsWhole(const QString& path, QString& error);
