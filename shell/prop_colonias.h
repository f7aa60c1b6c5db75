#pragma once

// The "Colonias" page: the map's colonies, one line each in store order.

#include "prop_name_page.h"
#include "records.h"

class CPropColonias : public CPropNamePage {
    Q_OBJECT
public:
    explicit CPropColonias(MapStore& store, QWidget* parent = nullptr);
    void Refill() override;

private:
    // The element this page last highlighted; forgotten at every refill.
    CmColonias* m_posHighlighted = nullptr;
};
