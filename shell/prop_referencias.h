#pragma once

// The "Referencias" page: the map's references, one line each in store order.

#include "prop_name_page.h"
#include "records.h"

class CPropReferencias : public CPropNamePage {
    Q_OBJECT
public:
    explicit CPropReferencias(MapStore& store, QWidget* parent = nullptr);
    void Refill() override;

private:
    // The element this page last highlighted; forgotten at every refill.
    CmRefe* m_posHighlighted = nullptr;
};
