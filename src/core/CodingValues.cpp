#include "CodingValues.h"

namespace Module1 {

QByteArray SignatureText;
int ForeColorR = 60;
int ForeColorG = 60;
int ForeColorB = 60;
int BackColorR = 255;
int BackColorG = 255;
int BackColorB = 255;

}  // namespace Module1
