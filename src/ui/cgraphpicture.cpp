#include "cgraphpicture.h"

#include "statements/cplotscene.h"

CGraphPicture::CGraphPicture() {
    AddInstance(CN_GRAPHPICTURE);
}

CGraphPicture::~CGraphPicture() {
    delete _poScene;
    RemoveInstance(CN_GRAPHPICTURE);
}

std::uint8_t CGraphPicture::GetClassNumber() const {
    return CN_GRAPHPICTURE;
}

void CGraphPicture::Clear() {
    delete _poScene;
    _poScene = nullptr;
    ++_nRevision;
}

void CGraphPicture::Keep(CPlotScene* poScene) {
    delete _poScene;
    _poScene = poScene;
    ++_nRevision;
}
