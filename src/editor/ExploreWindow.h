#pragma once

// "Explore Sound Family": a window over the sound editor with eight
// candidates to listen to, keep and breed from, and a morph between the
// sound as the editor opened it and the working copy. Listening sends a
// sound to the synthesizer and leaves the working copy alone; only "Use"
// puts the sound heard last into it, through the editor.

#include "editor/SoundExplorer.h"
#include "store/SoundDump.h"

#include <QDialog>

#include <array>
#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;
class QTimer;

namespace sondrake::editor {

class SoundEditor;

class ExploreWindow : public QDialog {
    Q_OBJECT

public:
    // Non-modal, deleted when closed. Makes the first generation at once.
    explicit ExploreWindow(SoundEditor& editor);
    ~ExploreWindow() override;

    const SoundExplorer& explorer() const { return m_explorer; }
    // The sound heard last, as it was sent; nothing before the first.
    const std::optional<SoundDump>& heard() const { return m_heard; }
    // How long the morph slider waits, after a move by key, wheel or a click
    // beside the handle, before it sends the sound there.
    static constexpr int kMorphSettleMs = 300;

private:
    void showGeneration();
    void showHeard();
    // Sends the sound and remembers it as the one heard.
    void audition(const SoundDump& sound);

    // handlers
    void onCandidate(int index);
    void onKeep(int index, bool kept);
    void onNextGeneration();
    void onPreviousGeneration();
    void onUse();
    void onMorphMoved(int percent);
    void onMorphSettled();

    SoundEditor& m_editor;
    SoundExplorer m_explorer;
    std::optional<SoundDump> m_heard;
    // What was heard: a candidate (its generation's number and its index)
    // or, with index -1, the morph at m_heardMorph percent.
    int m_heardGeneration = 0;
    int m_heardIndex = -1;
    int m_heardMorph = 0;

    std::array<QPushButton*, kCandidateCount> m_candidateButtons {};
    std::array<QCheckBox*, kCandidateCount> m_keepBoxes {};
    QLabel* m_generationLabel = nullptr;
    QSlider* m_mutationSlider = nullptr;
    QLabel* m_mutationValue = nullptr;
    QPushButton* m_nextButton = nullptr;
    QPushButton* m_previousButton = nullptr;
    QSlider* m_morphSlider = nullptr;
    QLabel* m_morphValue = nullptr;
    QTimer* m_morphSettle = nullptr;
    QLabel* m_heardLabel = nullptr;
    QPushButton* m_useButton = nullptr;
};

} // namespace sondrake::editor
