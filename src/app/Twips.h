#pragma once

// Window measurements are designed in twips, 1440 to the inch; on screen they
// become pixels at the screen's dots per inch (15 twips a pixel at 96).
int twipsToPixels(int twips, double dotsPerInch);
