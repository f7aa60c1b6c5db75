#pragma once

// The "Calles" page: the map's traced streets, one line each in store order.

#include "prop_name_page.h"
#include "records.h"

class CPropCalles : public CPropNamePage {
    Q_OBJECT
public:
    explicit CPropCalles(MapStore& store, QWidget* parent = nullptr);
    void Refill() override;

private:
    // The element this page last highlighted; forgotten at every refill.
    CmCalles* m_posHighlighted = nullptr;
};
