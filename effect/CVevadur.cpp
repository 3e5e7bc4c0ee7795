#include "effect/CVevadur.h"

CVevadur::CVevadur()
{
    buildControls();
    m_pEffectName = "VevadurROT";
    m_bEditorMessages = true;
    m_bInstrument = false;
    m_bAllMidi = false;
    m_nKnobMode = 2;
}

CVevadur::~CVevadur() = default;
