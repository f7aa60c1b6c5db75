#pragma once

// The "Colonias" page: the map's colonies, one line each in store order.

#include "prop_name_page.h"

class CPropColonias : public CPropNamePage {
    Q_OBJECT
public:
    explicit CPropColonias(CMapDocument& document, QWidget* parent = nullptr);

protected:
    std::size_t Count() const override;
    std::string& NameAt(std::size_t i) override;
    bool& HighlightAt(std::size_t i) override;
    void Rename(MapEdit& edit, std::size_t i, const std::string& name) const override;
    void Remove(MapEdit& edit, std::size_t i) const override;
    int Kind() const override { return LOCATE_COLONY; }
    QString DeleteQuestion() const override;
    QString RenameStep() const override;
    QString DeleteStep() const override;
};
