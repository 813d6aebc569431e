#include "Sounds.h"

#include "SoundOutput.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QMenu>
#include <QSettings>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <tavlon/Board.h>
#include <thread>

namespace {

const QString sSoundsKey = QStringLiteral("view/sounds");
const QString sVolumeKey = QStringLiteral("view/soundVolume");
constexpr int Volumes[] = {25, 50, 75, 100};

// Each quarter of the volume 6 dB down, as an ear hears steps of loudness: 100 % plays the
// files as they are, 25 % at -18 dB.
double Gain(int nPercent) {
    return std::pow(10.0, -(100 - nPercent) * 0.24 / 20.0);
}

// Beside the program when it runs where it was built; under the library folder once installed.
QString ModulePath() {
    const QString sDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    const QString sName = QStringLiteral(TAVLON_SOUND_MODULE);
    for (const QString &sPath :
         {sDir + sName, sDir + QStringLiteral(TAVLON_SOUND_MODULE_DIR "/") + sName})
        if (QFileInfo::exists(sPath))
            return sPath;
    return {};
}

} // namespace

Sound MoveSound(const MoveFacts &o) {
    if (o.bEnds)
        return Sound::GameEnd;
    if (o.bCheck)
        return Sound::Check;
    if (o.bCastle)
        return Sound::Castle;
    return o.bCapture ? Sound::Capture : Sound::Move;
}

int LowTimeStep(qint64 nMs, qint64 nLowMs) {
    if (nMs >= nLowMs)
        return 0;
    if (nMs >= 5000)
        return 1;
    return 2 + static_cast<int>((4999 - std::max<qint64>(nMs, 0)) / 1000);
}

Sounds::Sounds(Board *pBoard, QObject *parent) : QObject(parent), board(pBoard) {
    connect(board, &Board::PieceMovement, this, [this] {
        bInMove = true;
        bMoveSounded = bEndSounded = false;
        oMove = {};
        // By the move's SAN, which names castling whatever squares the king crossed, and an en
        // passant capture, for which the board raises no PieceCapture (its square was empty).
        if (bEnabled) {
            const QStringList oSan = board->SanMoves();
            const QString sSan = oSan.isEmpty() ? QString() : oSan.constLast();
            oMove.bCastle = sSan.startsWith(QLatin1String("O-O"));
            oMove.bCapture = sSan.contains(QLatin1Char('x'));
        }
    });
    // A check or the end's sound starts now, before the window's box about it.
    connect(board, &Board::KingInCheck, this, [this](bool, bool bMate) {
        oMove.bCheck = true;
        oMove.bEnds = bMate;
        MoveDone();
    });
    connect(board, &Board::Stalemate, this, [this] {
        oMove.bEnds = true;
        MoveDone();
    });
    connect(board, &Board::PositionChanged, this, [this] {
        if (!std::exchange(bInMove, false)) {
            bEndSounded = false; // an undo, a load or a new game: silent
            return;
        }
        // The draws a move brings about by itself are known once the turn has passed.
        oMove.bEnds = oMove.bEnds || board->Result() != QLatin1String("*");
        MoveDone();
    });
    // Resigning, a draw agreed or claimed, a flag fall; a move's own end has sounded already.
    connect(board, &Board::GameOver, this, [this] {
        if (!std::exchange(bEndSounded, false))
            Play(Sound::GameEnd);
    });
}

void Sounds::MoveDone() {
    if (std::exchange(bMoveSounded, true))
        return;
    const Sound e = MoveSound(oMove);
    bEndSounded = e == Sound::GameEnd;
    Play(e);
}

void Sounds::ClockShown(bool bWhite, qint64 nMs, qint64 nLowMs, bool bRunning) {
    int &nHeard = anHeard[bWhite ? 0 : 1];
    const int nStep = LowTimeStep(nMs, nLowMs);
    if (bRunning && nStep > nHeard)
        Play(Sound::LowTime);
    // The mark sounds once a game; the last seconds again after time came back (an increment,
    // an undo).
    nHeard = nStep > nHeard ? nStep : std::max(nStep, std::min(nHeard, 1));
}

void Sounds::Play(Sound e) {
    if (!bEnabled || e == Sound::None)
        return;
    if (oPlayer) {
        oPlayer(e);
        return;
    }
    if (SoundOutput *pOut = pOutput.data()) {
        pOut->Play(static_cast<int>(e));
        return;
    }
    eWaiting = e;
    oWaiting.start();
    LoadInBackground();
}

SoundOutput *Sounds::LoadedOutput() const {
    return pOutput.data();
}

void Sounds::LoadInBackground() {
    if (bLoadTried || std::exchange(bLoading, true))
        return;
    // Reading the audio libraries takes some milliseconds, which the move that wants the first
    // sound should not wait for. Only the library is read on the thread; it is looked at here,
    // once the thread says it is done, and the sound plays if it is still news.
    auto pDone = std::make_shared<std::atomic<bool>>(false);
    std::thread([sPath = ModulePath(), pDone] {
        QLibrary(sPath).load();
        *pDone = true;
    }).detach();
    auto *poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [this, poll, pDone] {
        if (!*pDone)
            return;
        poll->deleteLater();
        SoundOutput *pOut = Output();
        if (pOut != nullptr && eWaiting != Sound::None && oWaiting.elapsed() < 500)
            pOut->Play(static_cast<int>(eWaiting));
        eWaiting = Sound::None;
    });
    poll->start(2);
}

SoundOutput *Sounds::Output() {
    if (pOutput || std::exchange(bLoadTried, true))
        return pOutput;
    // Not unloaded again: the audio system's threads outlive any one use of it.
    QLibrary oModule(ModulePath());
    const auto create =
        reinterpret_cast<SoundOutputFactory>(oModule.resolve(SoundOutputFactoryName));
    if (create == nullptr) {
        qWarning("tavlon: no sounds: %s", qPrintable(oModule.errorString()));
        return nullptr; // the game goes on in silence
    }
    QStringList oSources;
    for (const char *sName : {"move", "capture", "castle", "check", "game-end", "low-time"})
        oSources << QStringLiteral("qrc:/tavlon/sounds/%1.wav").arg(QLatin1String(sName));
    SoundOutput *pOut = create(oSources);
    pOut->setParent(this);
    pOut->SetGain(Gain(nVolume));
    pOutput = pOut;
    return pOut;
}

void Sounds::SetVolume(int nPercent) {
    nVolume = nPercent;
    if (SoundOutput *pOut = pOutput.data())
        pOut->SetGain(Gain(nVolume));
}

void Sounds::AddToMenu(QMenu *mnuView) {
    QAction *mnuSounds = mnuView->addAction(tr("Soun&ds"));
    mnuSounds->setObjectName(QStringLiteral("mnuSounds"));
    mnuSounds->setCheckable(true);
    mnuSounds->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    mnuSounds->setChecked(QSettings().value(sSoundsKey, false).toBool());
    SetEnabled(mnuSounds->isChecked());
    connect(mnuSounds, &QAction::toggled, this, [this](bool bOn) {
        QSettings().setValue(sSoundsKey, bOn);
        SetEnabled(bOn);
    });

    QMenu *mnuVolume = mnuView->addMenu(tr("Sound &Volume"));
    mnuVolume->setObjectName(QStringLiteral("mnuSoundVolume"));
    auto *group = new QActionGroup(mnuVolume);
    const int nSaved = QSettings().value(sVolumeKey, 100).toInt();
    nVolume = std::ranges::find(Volumes, nSaved) != std::end(Volumes) ? nSaved : 100;
    for (const int nPercent : Volumes) {
        //: A sound volume in the View menu, with the mnemonic on its first digit.
        QAction *action = mnuVolume->addAction(tr("&%1%").arg(nPercent));
        action->setObjectName(QStringLiteral("mnuSoundVolume%1").arg(nPercent));
        action->setCheckable(true);
        action->setChecked(nPercent == nVolume);
        group->addAction(action);
        // The move's sound at the new volume, so the player hears what was chosen.
        connect(action, &QAction::triggered, this, [this, nPercent] {
            QSettings().setValue(sVolumeKey, nPercent);
            SetVolume(nPercent);
            Play(Sound::Move);
        });
    }
}
