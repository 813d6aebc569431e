<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Board</name>
    <message>
        <source>a promotion is waiting for its piece</source>
        <translation>eine Umwandlung wartet auf ihre Figur</translation>
    </message>
    <message>
        <source>a move is still being played</source>
        <translation>ein Zug wird noch ausgeführt</translation>
    </message>
    <message>
        <source>the game is over</source>
        <translation>die Partie ist zu Ende</translation>
    </message>
    <message>
        <source>no move given</source>
        <translation>kein Zug angegeben</translation>
    </message>
    <message>
        <source>unreadable move</source>
        <translation>unlesbarer Zug</translation>
    </message>
    <message>
        <source>ambiguous move</source>
        <translation>mehrdeutiger Zug</translation>
    </message>
    <message>
        <source>no legal move matches</source>
        <translation>kein zulässiger Zug passt</translation>
    </message>
    <message>
        <source>castling is not legal here</source>
        <translation>die Rochade ist hier nicht zulässig</translation>
    </message>
    <message>
        <source>the promotion piece is missing</source>
        <translation>die Umwandlungsfigur fehlt</translation>
    </message>
    <message>
        <source>not a legal move</source>
        <translation>kein zulässiger Zug</translation>
    </message>
    <message>
        <source>no piece was chosen for the promotion</source>
        <translation>für die Umwandlung wurde keine Figur gewählt</translation>
    </message>
    <message>
        <source>no draw can be claimed</source>
        <translation>es kann kein Remis beansprucht werden</translation>
    </message>
    <message>
        <source>resigning was refused</source>
        <translation>die Aufgabe wurde abgelehnt</translation>
    </message>
    <message>
        <source>a draw was refused</source>
        <translation>das Remis wurde abgelehnt</translation>
    </message>
    <message>
        <source>black king</source>
        <translation>schwarzer König</translation>
    </message>
    <message>
        <source>black queen</source>
        <translation>schwarze Dame</translation>
    </message>
    <message>
        <source>black rook</source>
        <translation>schwarzer Turm</translation>
    </message>
    <message>
        <source>black knight</source>
        <translation>schwarzer Springer</translation>
    </message>
    <message>
        <source>black bishop</source>
        <translation>schwarzer Läufer</translation>
    </message>
    <message>
        <source>black pawn</source>
        <translation>schwarzer Bauer</translation>
    </message>
    <message>
        <source>white king</source>
        <translation>weißer König</translation>
    </message>
    <message>
        <source>white queen</source>
        <translation>weiße Dame</translation>
    </message>
    <message>
        <source>white rook</source>
        <translation>weißer Turm</translation>
    </message>
    <message>
        <source>white knight</source>
        <translation>weißer Springer</translation>
    </message>
    <message>
        <source>white bishop</source>
        <translation>weißer Läufer</translation>
    </message>
    <message>
        <source>white pawn</source>
        <translation>weißer Bauer</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>leer</translation>
    </message>
    <message>
        <source>%1, %2, selected</source>
        <translation>%1, %2, ausgewählt</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>an earlier position is shown</source>
        <translation>eine frühere Stellung wird angezeigt</translation>
    </message>
    <message>
        <source>the piece set lacks %1</source>
        <translation>dem Figurensatz fehlt %1</translation>
    </message>
    <message>
        <source>%1 is not a readable SVG picture</source>
        <translation>%1 ist kein lesbares SVG-Bild</translation>
    </message>
    <message>
        <source>not a tag a game may be given</source>
        <translation>kein Tag, das eine Partie haben darf</translation>
    </message>
    <message>
        <source>no such move in the game</source>
        <translation>kein solcher Zug in der Partie</translation>
    </message>
    <message>
        <source>the main line is no variation</source>
        <translation>die Hauptvariante ist keine Nebenvariante</translation>
    </message>
    <message>
        <source>a comment cannot hold &quot;}&quot;</source>
        <translation>ein Kommentar darf kein &quot;}&quot; enthalten</translation>
    </message>
    <message>
        <source>only the first move of a variation has a comment before it</source>
        <translation>nur der erste Zug einer Variante hat einen Kommentar davor</translation>
    </message>
    <message>
        <source>the game would end before the line does</source>
        <translation>die Partie endete vor dem Ende der Variante</translation>
    </message>
    <message>
        <source>not a NAG or shape</source>
        <translation>kein NAG und keine Markierung</translation>
    </message>
</context>
<context>
    <name>ClockWidget</name>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message numerus="yes">
        <source>%1 (%n moves to go)</source>
        <translation>
            <numerusform>%1 (noch %n Zug)</numerusform>
            <numerusform>%1 (noch %n Züge)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Desktop</name>
    <message>
        <source>PGN games (*.pgn);;All files (*)</source>
        <translation>PGN-Partien (*.pgn);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Open Game</source>
        <translation>Partie öffnen</translation>
    </message>
    <message>
        <source>Save Game As</source>
        <translation>Partie speichern unter</translation>
    </message>
    <message>
        <source>Tavlon</source>
        <translation>Tavlon</translation>
    </message>
    <message>
        <source>No web browser could open this address. Copy it into one:

%1</source>
        <translation>Kein Webbrowser konnte diese Adresse öffnen. Kopieren Sie sie in einen:

%1</translation>
    </message>
</context>
<context>
    <name>GameCollection</name>
    <message>
        <source>Reading %1...</source>
        <translation>%1 wird gelesen...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>the file has become shorter</source>
        <translation>die Datei ist kürzer geworden</translation>
    </message>
    <message>
        <source>the file has changed since it was opened</source>
        <translation>die Datei wurde seit dem Öffnen geändert</translation>
    </message>
</context>
<context>
    <name>GameListModel</name>
    <message>
        <source>No.</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Turnier</translation>
    </message>
    <message>
        <source>Round</source>
        <translation>Runde</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Züge</translation>
    </message>
</context>
<context>
    <name>SafeWrite</name>
    <message>
        <source>No space left on the device</source>
        <translation>Auf dem Gerät ist kein Platz mehr frei</translation>
    </message>
    <message>
        <source>The file would exceed the size limit</source>
        <translation>Die Datei würde die Größenbeschränkung überschreiten</translation>
    </message>
    <message>
        <source>The device is read-only</source>
        <translation>Das Gerät ist schreibgeschützt</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>The folder does not exist</source>
        <translation>Der Ordner existiert nicht</translation>
    </message>
    <message>
        <source>The file could not be written</source>
        <translation>Die Datei konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>%1: %2 was not changed.</source>
        <translation>%1: %2 wurde nicht verändert.</translation>
    </message>
    <message>
        <source>%1: %2 was not written.</source>
        <translation>%1: %2 wurde nicht geschrieben.</translation>
    </message>
</context>
<context>
    <name>dlgGameInfo</name>
    <message>
        <source>Game Information</source>
        <translation>Partieinformationen</translation>
    </message>
    <message>
        <source>&amp;White:</source>
        <translation>&amp;Weiß:</translation>
    </message>
    <message>
        <source>&amp;Black:</source>
        <translation>&amp;Schwarz:</translation>
    </message>
    <message>
        <source>&amp;Event:</source>
        <translation>&amp;Veranstaltung:</translation>
    </message>
    <message>
        <source>&amp;Site:</source>
        <translation>&amp;Ort:</translation>
    </message>
    <message>
        <source>&amp;Date:</source>
        <translation>&amp;Datum:</translation>
    </message>
    <message>
        <source>&amp;Round:</source>
        <translation>&amp;Runde:</translation>
    </message>
    <message>
        <source>YYYY.MM.DD</source>
        <translation>JJJJ.MM.TT</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>dlgGames</name>
    <message>
        <source>Choose a Game</source>
        <translation>Partie auswählen</translation>
    </message>
    <message>
        <source>Choose a Game - %1</source>
        <translation>Partie auswählen - %1</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
</context>
<context>
    <name>dlgPosition</name>
    <message>
        <source>New Game from Position</source>
        <translation>Neue Partie aus Stellung</translation>
    </message>
    <message>
        <source>&amp;Position (FEN):</source>
        <translation>&amp;Stellung (FEN):</translation>
    </message>
</context>
<context>
    <name>dlgTimeControl</name>
    <message>
        <source>Time Control</source>
        <translation>Bedenkzeit</translation>
    </message>
    <message>
        <source>Choose a preset...</source>
        <translation>Vorgabe wählen...</translation>
    </message>
    <message>
        <source>No clock</source>
        <translation>Ohne Uhr</translation>
    </message>
    <message>
        <source>Sudden death</source>
        <translation>Feste Bedenkzeit</translation>
    </message>
    <message>
        <source>Fischer increment</source>
        <translation>Fischer-Zeitzugabe</translation>
    </message>
    <message>
        <source>Moves per period</source>
        <translation>Züge pro Zeitabschnitt</translation>
    </message>
    <message>
        <source>Hourglass</source>
        <translation>Sanduhr</translation>
    </message>
    <message>
        <source>Bronstein delay</source>
        <translation>Bronstein-Verzögerung</translation>
    </message>
    <message>
        <source>&amp;Preset:</source>
        <translation>&amp;Vorgabe:</translation>
    </message>
    <message>
        <source>&amp;Kind:</source>
        <translation>&amp;Art:</translation>
    </message>
    <message>
        <source>&amp;Minutes:</source>
        <translation>&amp;Minuten:</translation>
    </message>
    <message>
        <source>&amp;Increment (seconds per move):</source>
        <translation>&amp;Zugabe (Sekunden pro Zug):</translation>
    </message>
    <message>
        <source>M&amp;oves in the first period:</source>
        <translation>Zü&amp;ge im ersten Abschnitt:</translation>
    </message>
    <message>
        <source>Minutes for the &amp;rest:</source>
        <translation>Minuten für den &amp;Rest:</translation>
    </message>
    <message>
        <source>&amp;Delay (seconds):</source>
        <translation>Ver&amp;zögerung (Sekunden):</translation>
    </message>
    <message>
        <source>&amp;As in PGN:</source>
        <translation>&amp;Wie in PGN:</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>About</source>
        <translation>Über Tavlon</translation>
    </message>
    <message>
        <source>Tavlon</source>
        <translation>Tavlon</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Build</source>
        <translation>Build</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Autor</translation>
    </message>
    <message>
        <source>The Tavlon developers</source>
        <translation>Die Tavlon-Entwickler</translation>
    </message>
    <message>
        <source>Homepage</source>
        <translation>Webseite</translation>
    </message>
    <message>
        <source>Licence</source>
        <translation>Lizenz</translation>
    </message>
    <message>
        <source>MIT License</source>
        <translation>MIT-Lizenz</translation>
    </message>
    <message>
        <source>Copyright (c) 2026 The Tavlon developers. This program comes without warranty of any kind; see the MIT License for details.</source>
        <translation>Copyright (c) 2026 Die Tavlon-Entwickler. Dieses Programm wird ohne jegliche Gewährleistung bereitgestellt; Einzelheiten stehen in der MIT-Lizenz.</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Tavlon</source>
        <translation>Tavlon</translation>
    </message>
    <message>
        <source>Move Piece</source>
        <translation>Zug ausführen</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <translation>&amp;Partie</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Actions</source>
        <translation>A&amp;ktionen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Online Help</source>
        <translation>Online-Hilfe</translation>
    </message>
    <message>
        <source>This feature requires a current internet connection.

Click Yes if you are connected, otherwise, click No</source>
        <translation>Diese Funktion braucht eine bestehende Internetverbindung.

Klicken Sie auf Ja, wenn Sie verbunden sind, sonst auf Nein</translation>
    </message>
    <message>
        <source>The game is over: %1</source>
        <translation>Die Partie ist zu Ende: %1</translation>
    </message>
    <message>
        <source>Illegal move: %1</source>
        <translation>Unzulässiger Zug: %1</translation>
    </message>
    <message>
        <source>Illegal move or bad syntax</source>
        <translation>Unzulässiger Zug oder falsche Schreibweise</translation>
    </message>
    <message>
        <source>White checkmated</source>
        <translation>Weiß ist schachmatt</translation>
    </message>
    <message>
        <source>White is in check</source>
        <translation>Weiß steht im Schach</translation>
    </message>
    <message>
        <source>Black checkmated</source>
        <translation>Schwarz ist schachmatt</translation>
    </message>
    <message>
        <source>Black is in check</source>
        <translation>Schwarz steht im Schach</translation>
    </message>
    <message>
        <source>White king in check</source>
        <translation>Weißer König im Schach</translation>
    </message>
    <message>
        <source>Black king in check</source>
        <translation>Schwarzer König im Schach</translation>
    </message>
    <message>
        <source>Stalemate</source>
        <translation>Patt</translation>
    </message>
    <message>
        <source>White to move</source>
        <translation>Weiß am Zug</translation>
    </message>
    <message>
        <source>Black to move</source>
        <translation>Schwarz am Zug</translation>
    </message>
    <message>
        <source>There is no piece on %1</source>
        <translation>Auf %1 steht keine Figur</translation>
    </message>
    <message>
        <source>The piece on %1 is White&apos;s; Black is to move</source>
        <translation>Die Figur auf %1 gehört Weiß; Schwarz ist am Zug</translation>
    </message>
    <message>
        <source>The piece on %1 is Black&apos;s; White is to move</source>
        <translation>Die Figur auf %1 gehört Schwarz; Weiß ist am Zug</translation>
    </message>
    <message>
        <source>Illegal move: %1-%2</source>
        <translation>Unzulässiger Zug: %1-%2</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Tavlon - %1</source>
        <translation>Tavlon - %1</translation>
    </message>
    <message>
        <source>Save the current game?</source>
        <translation>Die aktuelle Partie speichern?</translation>
    </message>
    <message>
        <source>Cannot open %1:
%2</source>
        <translation>%1 kann nicht geöffnet werden:
%2</translation>
    </message>
    <message>
        <source>Cannot save %1:
%2</source>
        <translation>%1 kann nicht gespeichert werden:
%2</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>%1 gespeichert</translation>
    </message>
    <message>
        <source>The clipboard holds neither a position nor a game</source>
        <translation>Die Zwischenablage enthält weder eine Stellung noch eine Partie</translation>
    </message>
    <message>
        <source>Cannot paste the game:
%1</source>
        <translation>Die Partie kann nicht eingefügt werden:
%1</translation>
    </message>
    <message>
        <source>Does White resign?</source>
        <translation>Gibt Weiß auf?</translation>
    </message>
    <message>
        <source>Does Black resign?</source>
        <translation>Gibt Schwarz auf?</translation>
    </message>
    <message>
        <source>Black resigns</source>
        <translation>Schwarz gibt auf</translation>
    </message>
    <message>
        <source>White resigns</source>
        <translation>Weiß gibt auf</translation>
    </message>
    <message>
        <source>Draw by insufficient material</source>
        <translation>Remis durch ungenügendes Material</translation>
    </message>
    <message>
        <source>Draw by fivefold repetition</source>
        <translation>Remis durch fünffache Stellungswiederholung</translation>
    </message>
    <message>
        <source>Draw by threefold repetition</source>
        <translation>Remis durch dreifache Stellungswiederholung</translation>
    </message>
    <message>
        <source>Draw by the seventy-five-move rule</source>
        <translation>Remis durch die 75-Züge-Regel</translation>
    </message>
    <message>
        <source>Draw by the fifty-move rule</source>
        <translation>Remis durch die 50-Züge-Regel</translation>
    </message>
    <message>
        <source>Draw by agreement</source>
        <translation>Remis durch Vereinbarung</translation>
    </message>
    <message>
        <source>Cannot save %1:
The file holds several games, and saving this one there would lose the others. Save it under another name.</source>
        <translation>%1 kann nicht gespeichert werden:
Die Datei enthält mehrere Partien, und diese eine dort zu speichern, würde die anderen löschen. Speichern Sie sie unter einem anderen Namen.</translation>
    </message>
    <message>
        <source>Refused: an earlier position is shown — Alt+End returns</source>
        <translation>Abgelehnt: eine frühere Stellung wird angezeigt – Alt+Ende kehrt zurück</translation>
    </message>
    <message>
        <source>The starting position shown — Alt+End returns</source>
        <translation>Die Anfangsstellung wird angezeigt – Alt+Ende kehrt zurück</translation>
    </message>
    <message>
        <source>Move %1 of %2 shown — Alt+End returns</source>
        <translation>Zug %1 von %2 wird angezeigt – Alt+Ende kehrt zurück</translation>
    </message>
    <message>
        <source>Take back every move after the position shown?</source>
        <translation>Alle Züge nach der angezeigten Stellung zurücknehmen?</translation>
    </message>
    <message>
        <source>Black ran out of time: White wins</source>
        <translation>Schwarz hat die Zeit überschritten: Weiß gewinnt</translation>
    </message>
    <message>
        <source>White ran out of time: Black wins</source>
        <translation>Weiß hat die Zeit überschritten: Schwarz gewinnt</translation>
    </message>
    <message>
        <source>White ran out of time, but Black cannot checkmate: draw</source>
        <translation>Weiß hat die Zeit überschritten, aber Schwarz kann nicht mattsetzen: remis</translation>
    </message>
    <message>
        <source>Black ran out of time, but White cannot checkmate: draw</source>
        <translation>Schwarz hat die Zeit überschritten, aber Weiß kann nicht mattsetzen: remis</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Angehalten</translation>
    </message>
    <message>
        <source>Ti&amp;me Control...</source>
        <translation>Bedenk&amp;zeit...</translation>
    </message>
    <message>
        <source>Pa&amp;use Clocks</source>
        <translation>Uhren an&amp;halten</translation>
    </message>
    <message>
        <source>The clocks are paused: Pause Clocks (Ctrl+P) starts them again</source>
        <translation>Die Uhren sind angehalten: Uhren anhalten (Strg+P) startet sie wieder</translation>
    </message>
    <message>
        <source>No clock is running</source>
        <translation>Keine Uhr läuft</translation>
    </message>
    <message>
        <source>The clocks are paused</source>
        <translation>Die Uhren sind angehalten</translation>
    </message>
    <message>
        <source>The clocks run again</source>
        <translation>Die Uhren laufen wieder</translation>
    </message>
    <message>
        <source>The time control applies from the next new game</source>
        <translation>Die Bedenkzeit gilt ab der nächsten neuen Partie</translation>
    </message>
    <message>
        <source>This is not a regular file</source>
        <translation>Dies ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>The file is larger than %1 MB</source>
        <translation>Die Datei ist größer als %1 MB</translation>
    </message>
    <message>
        <source>This is not a PGN text file</source>
        <translation>Dies ist keine PGN-Textdatei</translation>
    </message>
    <message>
        <source>Cannot paste the position:
%1</source>
        <translation>Die Stellung kann nicht eingefügt werden:
%1</translation>
    </message>
    <message>
        <source>The piece set %1 cannot be used: %2</source>
        <translation>Der Figurensatz %1 kann nicht verwendet werden: %2</translation>
    </message>
    <message>
        <source>Nex&amp;t Game in File</source>
        <translation>Nächs&amp;te Partie der Datei</translation>
    </message>
    <message>
        <source>Pre&amp;vious Game in File</source>
        <translation>&amp;Vorige Partie der Datei</translation>
    </message>
    <message>
        <source>Add Game to &amp;File...</source>
        <translation>Partie an &amp;Datei anhängen...</translation>
    </message>
    <message>
        <source>Open R&amp;ecent</source>
        <translation>Zu&amp;letzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>Liste &amp;leeren</translation>
    </message>
    <message>
        <source>%1 has changed on disk since it was opened. Save the game in another file?</source>
        <translation>%1 wurde seit dem Öffnen auf der Festplatte geändert. Die Partie in einer anderen Datei speichern?</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Saved game %1 in %2</source>
        <translation>Partie %1 in %2 gespeichert</translation>
    </message>
    <message>
        <source>Cannot add the game to %1:
%2</source>
        <translation>Die Partie kann nicht an %1 angehängt werden:
%2</translation>
    </message>
    <message>
        <source>Added the game to %1</source>
        <translation>Partie an %1 angehängt</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>game %1</source>
        <translation>Partie %1</translation>
    </message>
    <message>
        <source>game %1 of %2</source>
        <translation>Partie %1 aus %2</translation>
    </message>
    <message>
        <source>Restore Game</source>
        <translation>Partie wiederherstellen</translation>
    </message>
    <message>
        <source>Tavlon did not close normally. Restore the unfinished game?</source>
        <translation>Tavlon wurde nicht ordnungsgemäß beendet. Die unvollendete Partie wiederherstellen?</translation>
    </message>
    <message numerus="yes">
        <source>%n move(s), the last at %1.</source>
        <translation>
            <numerusform>%n Zug, der letzte um %1.</numerusform>
            <numerusform>%n Züge, der letzte um %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>KQRBN</source>
        <extracomment>The letters of king, queen, rook, bishop and knight, in this order, as players of this language write moves (German: KDTLS). Five capital letters.</extracomment>
        <translation>KDTLS</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>Hide &amp;Moves</source>
        <translation>&amp;Züge ausblenden</translation>
    </message>
    <message>
        <source>&amp;New Game</source>
        <translation>&amp;Neue Partie</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>B&amp;eenden</translation>
    </message>
    <message>
        <source>&amp;Reverse Board</source>
        <translation>Brett &amp;umdrehen</translation>
    </message>
    <message>
        <source>Show &amp;Moves</source>
        <translation>&amp;Züge anzeigen</translation>
    </message>
    <message>
        <source>Show &amp;Last Move</source>
        <translation>&amp;Letzten Zug zeigen</translation>
    </message>
    <message>
        <source>Show &amp;Check</source>
        <translation>&amp;Schach zeigen</translation>
    </message>
    <message>
        <source>Show Le&amp;gal Moves</source>
        <translation>Zulässige Zü&amp;ge zeigen</translation>
    </message>
    <message>
        <source>Show C&amp;oordinates</source>
        <translation>&amp;Koordinaten zeigen</translation>
    </message>
    <message>
        <source>&amp;Turn Board After Each Move</source>
        <translation>Brett nach jedem Zug &amp;drehen</translation>
    </message>
    <message>
        <source>Messages in &amp;Boxes</source>
        <translation>Meldungen in &amp;Fenstern</translation>
    </message>
    <message>
        <source>&amp;Undo Last Move</source>
        <translation>Letzten Zug &amp;zurücknehmen</translation>
    </message>
    <message>
        <source>Tavlon &amp;Help</source>
        <translation>Tavlon-&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>&amp;Tastenkürzel</translation>
    </message>
    <message>
        <source>&amp;Online Help</source>
        <translation>&amp;Online-Hilfe</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber Tavlon</translation>
    </message>
    <message>
        <source>&amp;Queen</source>
        <translation>&amp;Dame</translation>
    </message>
    <message>
        <source>&amp;Rook</source>
        <translation>&amp;Turm</translation>
    </message>
    <message>
        <source>&amp;Bishop</source>
        <translation>&amp;Läufer</translation>
    </message>
    <message>
        <source>&amp;Knight</source>
        <translation>&amp;Springer</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>en</source>
        <extracomment>The language of the built-in manual, a file src/app/help/&lt;code&gt;.html; en when there is none in this language.</extracomment>
        <translation>de</translation>
    </message>
    <message>
        <source>Tavlon Help</source>
        <translation>Tavlon-Hilfe</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source> or </source>
        <translation> oder </translation>
    </message>
    <message>
        <source>Arrow keys</source>
        <translation>Pfeiltasten</translation>
    </message>
    <message>
        <source>On the board: move the keyboard&apos;s square</source>
        <translation>Auf dem Brett: das Feld der Tastatur bewegen</translation>
    </message>
    <message>
        <source>Space or Return</source>
        <translation>Leertaste oder Eingabe</translation>
    </message>
    <message>
        <source>On the board: pick up the piece, or put it down</source>
        <translation>Auf dem Brett: die Figur aufnehmen oder absetzen</translation>
    </message>
    <message>
        <source>Escape</source>
        <translation>Escape</translation>
    </message>
    <message>
        <source>On the board: put the piece back</source>
        <translation>Auf dem Brett: die Figur zurückstellen</translation>
    </message>
    <message>
        <source>Return</source>
        <translation>Eingabe</translation>
    </message>
    <message>
        <source>In the move box: play the typed move</source>
        <translation>Im Zugfeld: den eingegebenen Zug ausführen</translation>
    </message>
    <message>
        <source>Alt + underlined letter</source>
        <translation>Alt + unterstrichener Buchstabe</translation>
    </message>
    <message>
        <source>Open a menu, or choose its item</source>
        <translation>Ein Menü öffnen oder seinen Eintrag wählen</translation>
    </message>
    <message>
        <source>Not a move: type a move as e2e4 or Nf3</source>
        <translation>Kein Zug: einen Zug wie e2e4 oder Sf3 eingeben</translation>
    </message>
    <message>
        <source>New Game from &amp;Position...</source>
        <translation>Neue Partie aus &amp;Stellung...</translation>
    </message>
    <message>
        <source>&amp;Open Game...</source>
        <translation>Partie &amp;öffnen...</translation>
    </message>
    <message>
        <source>&amp;Save Game</source>
        <translation>Partie s&amp;peichern</translation>
    </message>
    <message>
        <source>Save Game &amp;As...</source>
        <translation>Partie speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Claim Draw</source>
        <translation>Remis &amp;beanspruchen</translation>
    </message>
    <message>
        <source>Agree to a &amp;Draw</source>
        <translation>&amp;Remis vereinbaren</translation>
    </message>
    <message>
        <source>&amp;White Resigns</source>
        <translation>&amp;Weiß gibt auf</translation>
    </message>
    <message>
        <source>&amp;Black Resigns</source>
        <translation>S&amp;chwarz gibt auf</translation>
    </message>
    <message>
        <source>Game &amp;Information...</source>
        <translation>Partie&amp;informationen...</translation>
    </message>
    <message>
        <source>&amp;Copy Game</source>
        <translation>Partie &amp;kopieren</translation>
    </message>
    <message>
        <source>Copy &amp;Position</source>
        <translation>&amp;Stellung kopieren</translation>
    </message>
    <message>
        <source>P&amp;aste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>&amp;Standard Notation</source>
        <translation>Standard&amp;notation</translation>
    </message>
    <message>
        <source>%1 vs %2</source>
        <translation>%1 gegen %2</translation>
    </message>
    <message>
        <source>Tavlon - %1 - %2</source>
        <translation>Tavlon - %1 - %2</translation>
    </message>
    <message>
        <source>Do White and Black both agree to a draw?</source>
        <translation>Sind Weiß und Schwarz beide mit einem Remis einverstanden?</translation>
    </message>
    <message>
        <source>Draw: time ran out</source>
        <translation>Remis: Zeit abgelaufen</translation>
    </message>
    <message>
        <source>White won on time</source>
        <translation>Weiß gewinnt auf Zeit</translation>
    </message>
    <message>
        <source>Black won on time</source>
        <translation>Schwarz gewinnt auf Zeit</translation>
    </message>
    <message>
        <source>Draw: the game was abandoned</source>
        <translation>Remis: Die Partie wurde abgebrochen</translation>
    </message>
    <message>
        <source>White won: Black abandoned the game</source>
        <translation>Weiß gewinnt: Schwarz hat die Partie abgebrochen</translation>
    </message>
    <message>
        <source>Black won: White abandoned the game</source>
        <translation>Schwarz gewinnt: Weiß hat die Partie abgebrochen</translation>
    </message>
    <message>
        <source>Draw by adjudication</source>
        <translation>Remis durch Schiedsspruch</translation>
    </message>
    <message>
        <source>White won by adjudication</source>
        <translation>Weiß gewinnt durch Schiedsspruch</translation>
    </message>
    <message>
        <source>Black won by adjudication</source>
        <translation>Schwarz gewinnt durch Schiedsspruch</translation>
    </message>
    <message>
        <source>Draw after a rules infraction</source>
        <translation>Remis nach einem Regelverstoß</translation>
    </message>
    <message>
        <source>White won: Black broke a rule</source>
        <translation>Weiß gewinnt: Schwarz hat gegen eine Regel verstoßen</translation>
    </message>
    <message>
        <source>Black won: White broke a rule</source>
        <translation>Schwarz gewinnt: Weiß hat gegen eine Regel verstoßen</translation>
    </message>
    <message>
        <source>White won</source>
        <translation>Weiß gewinnt</translation>
    </message>
    <message>
        <source>Black won</source>
        <translation>Schwarz gewinnt</translation>
    </message>
    <message>
        <source>Drawn game</source>
        <translation>Remis</translation>
    </message>
    <message>
        <source>White won by resignation</source>
        <translation>Weiß gewinnt durch Aufgabe</translation>
    </message>
    <message>
        <source>Black won by resignation</source>
        <translation>Schwarz gewinnt durch Aufgabe</translation>
    </message>
    <message>
        <source>Piec&amp;e Set</source>
        <translation>Figu&amp;rensatz</translation>
    </message>
    <message>
        <source>&amp;Full Screen</source>
        <translation>&amp;Vollbild</translation>
    </message>
    <message>
        <source>&amp;Previous Move</source>
        <translation>V&amp;orheriger Zug</translation>
    </message>
    <message>
        <source>&amp;Next Move</source>
        <translation>Nä&amp;chster Zug</translation>
    </message>
    <message>
        <source>F&amp;irst Position</source>
        <translation>&amp;Anfangsstellung</translation>
    </message>
    <message>
        <source>C&amp;urrent Position</source>
        <translation>Aktuelle S&amp;tellung</translation>
    </message>
    <message>
        <source>Take &amp;Back Moves to Here</source>
        <translation>Züge bis hierher zurück&amp;nehmen</translation>
    </message>
    <message>
        <source>Variation move %1 shown — Alt+End returns</source>
        <translation>Variantenzug %1 wird angezeigt – Alt+Ende kehrt zurück</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>A chess board for two players at one computer.</source>
        <translation>Ein Schachbrett für zwei Spieler an einem Computer.</translation>
    </message>
    <message>
        <source>A PGN game to open.</source>
        <translation>Eine PGN-Partie zum Öffnen.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>DATEI</translation>
    </message>
    <message>
        <source>Play this run with a chess clock: FORM in the PGN TimeControl form (300, 180+2, 40/5400:1800, *60), or 300d5 for a 5-second delay.</source>
        <translation>Mit Schachuhr spielen: FORM in der PGN-Form von TimeControl (300, 180+2, 40/5400:1800, *60) oder 300d5 für 5 Sekunden Verzögerung.</translation>
    </message>
    <message>
        <source>tavlon: bad time control &quot;%1&quot;: %2</source>
        <translation>tavlon: ungültige Bedenkzeit &quot;%1&quot;: %2</translation>
    </message>
</context>
</TS>
