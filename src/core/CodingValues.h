// Values shared by the coding routines, the colour selection and the main window.
#pragma once

#include <QByteArray>

namespace Module1 {

// Last signature written or read: set by the encoder, the decoder and the picture check.
extern QByteArray SignatureText;

// Components of the text colour and of the text's background colour (0-255).
extern int ForeColorR;
extern int ForeColorG;
extern int ForeColorB;
extern int BackColorR;
extern int BackColorG;
extern int BackColorB;

}  // namespace Module1
