#include "tuning/DishPageView.h"

#include "common/DecimalText.h"
#include "common/FieldText.h"

MessageRef DishTypeName(std::int32_t dishType)
{
    switch (dishType) {
    case 0: return {"1018", "Fixed"};
    case 1: return {"1019", "DiSEqC 1.2 motor"};
    case 2: return {"1020", "USALS"};
    default: return {};
    }
}

DishTransponderView BuildDishTransponderView(SatelliteRecord* satellite, const TransponderRecord* current)
{
    DishTransponderView view;
    if (!satellite)
        return view;
    view.degreeText = FormatUnsigned(satellite->degree);
    view.dishTypeName = DishTypeName(satellite->dishType);
    view.satelliteText = std::string(FieldText(satellite->name)) + " (" + view.degreeText + ")";
    for (TransponderRecord* t = satellite->firstTransponder; t; t = t->next) {
        if (t == current)
            view.selectedIndex = static_cast<int>(view.items.size());
        view.items.push_back({FormatUnsigned(t->frequency), t});
    }
    if (!current)
        return view;
    view.frequencyText = FormatUnsigned(current->frequency);
    view.symbolRateText = FormatUnsigned(current->symbolRate);
    view.polarity = current->polarity == 0 ? 0 : 1;
    view.transponderControlsEnabled = true;
    return view;
}
