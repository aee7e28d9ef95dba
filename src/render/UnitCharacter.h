// The character picture that comes with the program (kind "k" rows draw it)
// and the one-line credit notice that accompanies it on the page. The
// picture is painted by the program itself the first time it is asked for,
// so no file has to ship with it. Used by the renderer and by the character
// tool that places such rows; never draws on a page itself.
#pragma once

#include <QImage>
#include <QString>

// The character picture in colour (the grey form is BitmapGray of it).
const QImage &CharacterPicture();

// The credit notice drawn at the bottom right of the active page whenever a
// worksheet holds a character picture.
QString CharacterCreditText();
