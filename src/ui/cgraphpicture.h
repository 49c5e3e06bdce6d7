#pragma once

#include "core/cbase.h"

class CPlotScene;

// What the graph pane shows: the white pane with its frame, or the scene of
// the last plot since the pane was cleared. The scene is drawn again at any
// size and explored; the picture counts every change, so that a front end
// can tell when it has a new one to show or write.
class CGraphPicture : public CBase {
public:
    CGraphPicture();
    ~CGraphPicture() override;
    std::uint8_t GetClassNumber() const override;

    // Forgets the scene: the pane was cleared.
    void Clear();
    // Takes the scene over.
    void Keep(CPlotScene* poScene);
    // The view or the samples changed.
    void Touch() { ++_nRevision; }

    bool HasPlot() const { return _poScene != nullptr; }
    CPlotScene* GetScene() const { return _poScene; }
    // Changes whenever the picture does.
    unsigned GetRevision() const { return _nRevision; }

private:
    CPlotScene* _poScene = nullptr;
    unsigned _nRevision = 0;
};
