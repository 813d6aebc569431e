<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Analysis</name>
    <message>
        <source>Analysis</source>
        <translation>Analyse</translation>
    </message>
    <message>
        <source>&amp;Analysis</source>
        <translation>Anal&amp;yse</translation>
    </message>
    <message>
        <source>Anal&amp;yse Game...</source>
        <translation>Partie anal&amp;ysieren...</translation>
    </message>
    <message>
        <source>Analysis is unavailable while the clocks run in a game in progress. It starts again once the game is over or played without clocks.</source>
        <translation>Während einer laufenden Partie mit Uhr gibt es keine Analyse. Sie beginnt wieder, sobald die Partie vorbei ist oder ohne Uhr gespielt wird.</translation>
    </message>
    <message>
        <source>Checkmate</source>
        <translation>Schachmatt</translation>
    </message>
    <message>
        <source>Stalemate</source>
        <translation>Patt</translation>
    </message>
    <message>
        <source>Analysis is unavailable while the clocks run in a game in progress</source>
        <translation>Während einer laufenden Partie mit Uhr gibt es keine Analyse</translation>
    </message>
    <message>
        <source>Start: %1</source>
        <translation>Anfang: %1</translation>
    </message>
    <message>
        <source>The line is in the game as a variation</source>
        <translation>Die Variante steht als Nebenvariante in der Partie</translation>
    </message>
</context>
<context>
    <name>AnalysisPane</name>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>Best Move &amp;Arrow</source>
        <translation>&amp;Pfeil für den besten Zug</translation>
    </message>
    <message>
        <source>Best &amp;Lines</source>
        <translation>Beste &amp;Varianten</translation>
    </message>
    <message>
        <source>&amp;Engine...</source>
        <translation>&amp;Engine...</translation>
    </message>
    <message>
        <source>depth %1</source>
        <translation>Tiefe %1</translation>
    </message>
    <message>
        <source>%1 kN/s</source>
        <translation>%1 kN/s</translation>
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
        <source>Inaccuracies</source>
        <translation>Ungenauigkeiten</translation>
    </message>
    <message>
        <source>Mistakes</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Blunders</source>
        <translation>Grobe Fehler</translation>
    </message>
    <message>
        <source>%1%</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Accuracy</source>
        <translation>Genauigkeit</translation>
    </message>
    <message>
        <source>Add Best Line as &amp;Variation</source>
        <translation>&amp;Beste Variante in die Partie</translation>
    </message>
    <message>
        <source>Add Line as &amp;Variation</source>
        <translation>Variante in die &amp;Partie</translation>
    </message>
</context>
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
        <source>a position is being set up</source>
        <translation>eine Stellung wird aufgebaut</translation>
    </message>
    <message>
        <source>no position is being set up</source>
        <translation>es wird keine Stellung aufgebaut</translation>
    </message>
    <message>
        <source>KQRBNP</source>
        <extracomment>The letters that put a king, queen, rook, bishop, knight and pawn on the keyboard&apos;s square while a position is set up, in this order: capitals for White, small letters for Black (German: KDTLSB). Six different capital letters.</extracomment>
        <translation>KDTLSB</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not eight ranks of eight squares</source>
        <translation>„%1“ sind nicht acht Reihen zu acht Feldern</translation>
    </message>
    <message>
        <source>%1: %2 placed</source>
        <translation>%1: %2 gesetzt</translation>
    </message>
    <message>
        <source>%1: %2 removed</source>
        <translation>%1: %2 entfernt</translation>
    </message>
    <message>
        <source>%1, empty</source>
        <translation>%1, leer</translation>
    </message>
    <message>
        <source>no Chess960 start position has that number</source>
        <translation>keine Chess960-Anfangsstellung hat diese Nummer</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>%1 is larger than 1 MB</source>
        <translation>%1 ist größer als 1 MB</translation>
    </message>
    <message>
        <source>%1 is compressed; pieces are read as plain SVG</source>
        <translation>%1 ist komprimiert; Figuren werden als einfaches SVG gelesen</translation>
    </message>
    <message>
        <source>%1 is too large to draw</source>
        <translation>%1 ist zu groß zum Zeichnen</translation>
    </message>
    <message>
        <source>%1 is too slow to read and draw</source>
        <translation>%1 braucht zu lange zum Lesen und Zeichnen</translation>
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
    <message>
        <source>Export Position as Image</source>
        <translation>Stellung als Bild exportieren</translation>
    </message>
    <message>
        <source>PNG pictures (*.png);;SVG pictures (*.svg)</source>
        <translation>PNG-Bilder (*.png);;SVG-Bilder (*.svg)</translation>
    </message>
    <message>
        <source>Export Game as GIF</source>
        <translation>Partie als GIF exportieren</translation>
    </message>
    <message>
        <source>GIF animations (*.gif)</source>
        <translation>GIF-Animationen (*.gif)</translation>
    </message>
    <message>
        <source>Add Game to File</source>
        <translation>Partie an Datei anhängen</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Anhängen</translation>
    </message>
</context>
<context>
    <name>Export</name>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
</context>
<context>
    <name>GameAnalyser</name>
    <message>
        <source>The game&apos;s starting position is not legal: %1</source>
        <translation>Die Ausgangsstellung der Partie ist nicht zulässig: %1</translation>
    </message>
    <message>
        <source>Move %1 of the game (%2) is not legal.</source>
        <translation>Zug %1 der Partie (%2) ist nicht zulässig.</translation>
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
        <source>the file is larger than %1 MB, too large to write back</source>
        <translation>die Datei ist größer als %1 MB, zu groß zum Zurückschreiben</translation>
    </message>
    <message>
        <source>the file ends inside something left open, such as a comment, which would take the game in</source>
        <translation>die Datei endet in etwas Offenem, etwa einem Kommentar, das die Partie verschlucken würde</translation>
    </message>
    <message>
        <source>the file changed while it was read</source>
        <translation>die Datei wurde geändert, während sie gelesen wurde</translation>
    </message>
    <message>
        <source>the game would not stand apart from the games around it</source>
        <translation>die Partie wäre nicht mehr von den Partien um sie herum getrennt</translation>
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
    <name>GifWriter</name>
    <message>
        <source>The GIF could not be made: %1</source>
        <translation>Das GIF konnte nicht erstellt werden: %1</translation>
    </message>
</context>
<context>
    <name>MoveWords</name>
    <message>
        <source>White pawn</source>
        <translation>Weißer Bauer</translation>
    </message>
    <message>
        <source>White knight</source>
        <translation>Weißer Springer</translation>
    </message>
    <message>
        <source>White bishop</source>
        <translation>Weißer Läufer</translation>
    </message>
    <message>
        <source>White rook</source>
        <translation>Weißer Turm</translation>
    </message>
    <message>
        <source>White queen</source>
        <translation>Weiße Dame</translation>
    </message>
    <message>
        <source>White king</source>
        <translation>Weißer König</translation>
    </message>
    <message>
        <source>Black pawn</source>
        <translation>Schwarzer Bauer</translation>
    </message>
    <message>
        <source>Black knight</source>
        <translation>Schwarzer Springer</translation>
    </message>
    <message>
        <source>Black bishop</source>
        <translation>Schwarzer Läufer</translation>
    </message>
    <message>
        <source>Black rook</source>
        <translation>Schwarzer Turm</translation>
    </message>
    <message>
        <source>Black queen</source>
        <translation>Schwarze Dame</translation>
    </message>
    <message>
        <source>Black king</source>
        <translation>Schwarzer König</translation>
    </message>
    <message>
        <source>taking white pawn</source>
        <translation>schlägt weißen Bauern</translation>
    </message>
    <message>
        <source>taking white knight</source>
        <translation>schlägt weißen Springer</translation>
    </message>
    <message>
        <source>taking white bishop</source>
        <translation>schlägt weißen Läufer</translation>
    </message>
    <message>
        <source>taking white rook</source>
        <translation>schlägt weißen Turm</translation>
    </message>
    <message>
        <source>taking white queen</source>
        <translation>schlägt weiße Dame</translation>
    </message>
    <message>
        <source>taking white king</source>
        <translation>schlägt weißen König</translation>
    </message>
    <message>
        <source>taking black pawn</source>
        <translation>schlägt schwarzen Bauern</translation>
    </message>
    <message>
        <source>taking black knight</source>
        <translation>schlägt schwarzen Springer</translation>
    </message>
    <message>
        <source>taking black bishop</source>
        <translation>schlägt schwarzen Läufer</translation>
    </message>
    <message>
        <source>taking black rook</source>
        <translation>schlägt schwarzen Turm</translation>
    </message>
    <message>
        <source>taking black queen</source>
        <translation>schlägt schwarze Dame</translation>
    </message>
    <message>
        <source>taking black king</source>
        <translation>schlägt schwarzen König</translation>
    </message>
    <message>
        <source>White castles queenside</source>
        <translation>Weiß rochiert lang</translation>
    </message>
    <message>
        <source>White castles kingside</source>
        <translation>Weiß rochiert kurz</translation>
    </message>
    <message>
        <source>Black castles queenside</source>
        <translation>Schwarz rochiert lang</translation>
    </message>
    <message>
        <source>Black castles kingside</source>
        <translation>Schwarz rochiert kurz</translation>
    </message>
    <message>
        <source>%1 from %2 to %3</source>
        <translation>%1 von %2 nach %3</translation>
    </message>
    <message>
        <source>becoming a knight</source>
        <translation>wird zum Springer</translation>
    </message>
    <message>
        <source>becoming a bishop</source>
        <translation>wird zum Läufer</translation>
    </message>
    <message>
        <source>becoming a rook</source>
        <translation>wird zum Turm</translation>
    </message>
    <message>
        <source>becoming a queen</source>
        <translation>wird zur Dame</translation>
    </message>
    <message>
        <source>checkmate</source>
        <translation>Schachmatt</translation>
    </message>
    <message>
        <source>check</source>
        <translation>Schach</translation>
    </message>
</context>
<context>
    <name>NotationPane</name>
    <message>
        <source>Comment on the move shown</source>
        <translation>Kommentar zum gezeigten Zug</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Kommentar</translation>
    </message>
    <message>
        <source>1 variation</source>
        <translation>1 Variante</translation>
    </message>
    <message>
        <source>%1 variations</source>
        <translation>%1 Varianten</translation>
    </message>
    <message>
        <source>1 comment</source>
        <translation>1 Kommentar</translation>
    </message>
    <message>
        <source>%1 comments</source>
        <translation>%1 Kommentare</translation>
    </message>
    <message>
        <source>1 move mark</source>
        <translation>1 Bewertungszeichen</translation>
    </message>
    <message>
        <source>%1 move marks</source>
        <translation>%1 Bewertungszeichen</translation>
    </message>
    <message>
        <source>1 arrow or circle</source>
        <translation>1 Pfeil oder Kreis</translation>
    </message>
    <message>
        <source>%1 arrows or circles</source>
        <translation>%1 Pfeile oder Kreise</translation>
    </message>
    <message>
        <source>A comment cannot hold &quot;}&quot;: in the file it would end the comment</source>
        <translation>Ein Kommentar kann kein &quot;}&quot; enthalten: in der Datei würde es den Kommentar beenden</translation>
    </message>
    <message>
        <source>The comment cannot be kept on this move</source>
        <translation>Der Kommentar kann bei diesem Zug nicht gespeichert werden</translation>
    </message>
</context>
<context>
    <name>Recovery</name>
    <message>
        <source>larger than %1 MB, which no kept game is</source>
        <translation>größer als %1 MB, was keine aufbewahrte Partie ist</translation>
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
    <message>
        <source>a named pipe</source>
        <translation>eine benannte Pipe</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>ein Gerät</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <source>something else</source>
        <translation>etwas anderes</translation>
    </message>
    <message>
        <source>%1 is %2, not a regular file</source>
        <translation>%1 ist %2, keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>%1: it was not changed.</source>
        <translation>%1: sie wurde nicht geändert.</translation>
    </message>
</context>
<context>
    <name>Sounds</name>
    <message>
        <source>Soun&amp;ds</source>
        <translation>T&amp;öne</translation>
    </message>
    <message>
        <source>Sound &amp;Volume</source>
        <translation>Lautstärk&amp;e</translation>
    </message>
    <message>
        <source>&amp;%1%</source>
        <extracomment>A sound volume in the View menu, with the mnemonic on its first digit.</extracomment>
        <translation>&amp;%1 %</translation>
    </message>
</context>
<context>
    <name>UciEngine</name>
    <message>
        <source>The engine “%1” did not answer within %2 seconds.</source>
        <translation>Die Engine „%1“ hat nicht innerhalb von %2 Sekunden geantwortet.</translation>
    </message>
    <message>
        <source>No chess engine was found. Install Stockfish, or choose an engine.</source>
        <translation>Es wurde keine Schach-Engine gefunden. Installieren Sie Stockfish oder wählen Sie eine Engine.</translation>
    </message>
    <message>
        <source>The engine “%1” could not be started: %2</source>
        <translation>Die Engine „%1“ konnte nicht gestartet werden: %2</translation>
    </message>
    <message>
        <source>The engine “%1” crashed.</source>
        <translation>Die Engine „%1“ ist abgestürzt.</translation>
    </message>
    <message>
        <source>The engine “%1” stopped unexpectedly (exit code %2).</source>
        <translation>Die Engine „%1“ wurde unerwartet beendet (Exit-Code %2).</translation>
    </message>
    <message>
        <source>The engine “%1” sent something that makes no sense: %2</source>
        <translation>Die Engine „%1“ hat etwas Unverständliches gesendet: %2</translation>
    </message>
    <message>
        <source>The engine “%1” sent a move that is not legal: %2</source>
        <translation>Die Engine „%1“ hat einen unzulässigen Zug gesendet: %2</translation>
    </message>
    <message>
        <source>The engine “%1” cannot analyse Chess960: it does not offer the UCI_Chess960 option.</source>
        <translation>Die Engine „%1“ kann kein Chess960 analysieren: Sie bietet die Option UCI_Chess960 nicht an.</translation>
    </message>
</context>
<context>
    <name>dlgAnalyseGame</name>
    <message>
        <source>Analyse Game</source>
        <translation>Partie analysieren</translation>
    </message>
    <message>
        <source>Nodes (the same result on every run)</source>
        <extracomment>Kinds of budget for each position of Analyse Game.</extracomment>
        <translation>Knoten (bei jedem Lauf dasselbe Ergebnis)</translation>
    </message>
    <message>
        <source>Depth</source>
        <translation>Tiefe</translation>
    </message>
    <message>
        <source>Time per position</source>
        <translation>Zeit je Stellung</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>No engine found: install Stockfish, or choose an engine in the Analysis pane.</source>
        <translation>Keine Engine gefunden: Installieren Sie Stockfish oder wählen Sie im Analysebereich eine Engine.</translation>
    </message>
    <message>
        <source>%1 searches each of the %2 positions of the main line.</source>
        <translation>%1 untersucht jede der %2 Stellungen der Hauptvariante.</translation>
    </message>
    <message>
        <source>&amp;Analyse</source>
        <translation>&amp;Analysieren</translation>
    </message>
    <message>
        <source>&amp;Budget:</source>
        <translation>Auf&amp;wand:</translation>
    </message>
    <message>
        <source>&amp;Each position:</source>
        <translation>&amp;Je Stellung:</translation>
    </message>
    <message>
        <source>Position %1 of %2 searched</source>
        <translation>Stellung %1 von %2 untersucht</translation>
    </message>
</context>
<context>
    <name>dlgChess960</name>
    <message>
        <source>New Chess960 Game</source>
        <translation>Neue Chess960-Partie</translation>
    </message>
    <message>
        <source>&amp;Random position</source>
        <translation>&amp;Zufällige Stellung</translation>
    </message>
    <message>
        <source>&amp;Another</source>
        <translation>Neu aus&amp;losen</translation>
    </message>
    <message>
        <source>Draw another position at random</source>
        <translation>Eine andere Stellung auslosen</translation>
    </message>
    <message>
        <source>Position &amp;number:</source>
        <translation>Stellungs&amp;nummer:</translation>
    </message>
    <message>
        <source>Position number</source>
        <translation>Stellungsnummer</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Chess960 #%1: %2</source>
        <translation>Chess960 Nr. %1: %2</translation>
    </message>
    <message>
        <source>Chess960 #%1</source>
        <translation>Chess960 Nr. %1</translation>
    </message>
</context>
<context>
    <name>dlgEngine</name>
    <message>
        <source>Analysis Engine</source>
        <translation>Analyse-Engine</translation>
    </message>
    <message>
        <source>Stockfish</source>
        <translation>Stockfish</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>Choose a UCI Engine</source>
        <translation>UCI-Engine wählen</translation>
    </message>
    <message>
        <source> MB</source>
        <translation> MB</translation>
    </message>
    <message>
        <source>&amp;Engine:</source>
        <translation>&amp;Engine:</translation>
    </message>
    <message>
        <source>&amp;Threads:</source>
        <translation>&amp;Threads:</translation>
    </message>
    <message>
        <source>&amp;Hash table:</source>
        <translation>&amp;Hashtabelle:</translation>
    </message>
    <message>
        <source>Best &amp;lines:</source>
        <translation>Beste &amp;Varianten:</translation>
    </message>
    <message>
        <source>No engine found: install Stockfish, or name a UCI engine.</source>
        <translation>Keine Engine gefunden: Installieren Sie Stockfish oder nennen Sie eine UCI-Engine.</translation>
    </message>
    <message>
        <source>Runs %1</source>
        <translation>Startet %1</translation>
    </message>
</context>
<context>
    <name>dlgExport</name>
    <message>
        <source>Export Game as GIF</source>
        <translation>Partie als GIF exportieren</translation>
    </message>
    <message>
        <source>Export Position as Image</source>
        <translation>Stellung als Bild exportieren</translation>
    </message>
    <message>
        <source> px</source>
        <translation> px</translation>
    </message>
    <message>
        <source>&amp;Size:</source>
        <translation>&amp;Größe:</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>How long each position shows; the last stays 3 s</source>
        <translation>Wie lange jede Stellung zu sehen ist; die letzte bleibt 3 s</translation>
    </message>
    <message>
        <source>&amp;Time per move:</source>
        <translation>&amp;Zeit je Zug:</translation>
    </message>
    <message>
        <source>&amp;Coordinates</source>
        <translation>&amp;Koordinaten</translation>
    </message>
    <message>
        <source>&amp;Marks: last move, check, arrows and circles</source>
        <translation>&amp;Markierungen: letzter Zug, Schach, Pfeile und Kreise</translation>
    </message>
    <message>
        <source>Players&apos; &amp;names</source>
        <translation>&amp;Namen der Spieler</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Speichern...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%1 × %2 pixels</source>
        <translation>%1 × %2 Pixel</translation>
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
    <message>
        <source>Variant:</source>
        <translation>Variante:</translation>
    </message>
    <message>
        <source>Annotations:</source>
        <translation>Anmerkungen:</translation>
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
    <name>dlgSetUpPosition</name>
    <message>
        <source>Set Up Position</source>
        <translation>Stellung aufbauen</translation>
    </message>
    <message>
        <source>Black king</source>
        <translation>Schwarzer König</translation>
    </message>
    <message>
        <source>Black queen</source>
        <translation>Schwarze Dame</translation>
    </message>
    <message>
        <source>Black rook</source>
        <translation>Schwarzer Turm</translation>
    </message>
    <message>
        <source>Black knight</source>
        <translation>Schwarzer Springer</translation>
    </message>
    <message>
        <source>Black bishop</source>
        <translation>Schwarzer Läufer</translation>
    </message>
    <message>
        <source>Black pawn</source>
        <translation>Schwarzer Bauer</translation>
    </message>
    <message>
        <source>White king</source>
        <translation>Weißer König</translation>
    </message>
    <message>
        <source>White queen</source>
        <translation>Weiße Dame</translation>
    </message>
    <message>
        <source>White rook</source>
        <translation>Weißer Turm</translation>
    </message>
    <message>
        <source>White knight</source>
        <translation>Weißer Springer</translation>
    </message>
    <message>
        <source>White bishop</source>
        <translation>Weißer Läufer</translation>
    </message>
    <message>
        <source>White pawn</source>
        <translation>Weißer Bauer</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>Lös&amp;chen</translation>
    </message>
    <message>
        <source>A click empties a square</source>
        <translation>Ein Klick leert ein Feld</translation>
    </message>
    <message>
        <source>%1: click to choose, then click squares; or drag it</source>
        <translation>%1: anklicken, dann Felder anklicken; oder auf das Brett ziehen</translation>
    </message>
    <message>
        <source>Side to move</source>
        <translation>Am Zug</translation>
    </message>
    <message>
        <source>&amp;White</source>
        <translation>&amp;Weiß</translation>
    </message>
    <message>
        <source>&amp;Black</source>
        <translation>&amp;Schwarz</translation>
    </message>
    <message>
        <source>Castling</source>
        <translation>Rochade</translation>
    </message>
    <message>
        <source>White &amp;kingside</source>
        <translation>Weiß &amp;kurz</translation>
    </message>
    <message>
        <source>White &amp;queenside</source>
        <translation>Weiß &amp;lang</translation>
    </message>
    <message>
        <source>Black ki&amp;ngside</source>
        <translation>Schwarz k&amp;urz</translation>
    </message>
    <message>
        <source>Black q&amp;ueenside</source>
        <translation>Schwarz la&amp;ng</translation>
    </message>
    <message>
        <source>En p&amp;assant:</source>
        <translation>&amp;En passant:</translation>
    </message>
    <message>
        <source>&amp;Halfmove clock:</source>
        <translation>&amp;Halbzugzähler:</translation>
    </message>
    <message>
        <source>Full&amp;move number:</source>
        <translation>&amp;Zugnummer:</translation>
    </message>
    <message>
        <source>Starting &amp;Position</source>
        <translation>&amp;Grundstellung</translation>
    </message>
    <message>
        <source>&amp;Clear Board</source>
        <translation>Brett lee&amp;ren</translation>
    </message>
    <message>
        <source>&amp;Flip Board</source>
        <translation>Brett &amp;drehen</translation>
    </message>
    <message>
        <source>F&amp;EN:</source>
        <translation>&amp;FEN:</translation>
    </message>
    <message>
        <source>C&amp;opy FEN</source>
        <translation>FEN k&amp;opieren</translation>
    </message>
    <message>
        <source>&amp;Start Game</source>
        <translation>Partie &amp;beginnen</translation>
    </message>
    <message>
        <source>a FEN has six fields separated by spaces (the last two may be left out)</source>
        <translation>eine FEN hat sechs durch Leerzeichen getrennte Felder (die letzten beiden dürfen fehlen)</translation>
    </message>
    <message>
        <source>the placement &quot;%1&quot; is not eight ranks of eight squares, written with KQRBNP, kqrbnp, digits and /</source>
        <translation>die Aufstellung „%1“ sind nicht acht Reihen zu acht Feldern aus KQRBNP, kqrbnp, Ziffern und /</translation>
    </message>
    <message>
        <source>the side to move &quot;%1&quot; is neither w nor b</source>
        <translation>die Seite am Zug „%1“ ist weder w noch b</translation>
    </message>
    <message>
        <source>the en passant field &quot;%1&quot; is neither - nor a square of the sixth rank (White to move) or the third (Black to move)</source>
        <translation>das En-passant-Feld „%1“ ist weder - noch ein Feld der sechsten Reihe (Weiß am Zug) oder der dritten (Schwarz am Zug)</translation>
    </message>
    <message>
        <source>the halfmove clock &quot;%1&quot; is not a number</source>
        <translation>der Halbzugzähler „%1“ ist keine Zahl</translation>
    </message>
    <message>
        <source>the fullmove number &quot;%1&quot; is not a number from 1</source>
        <translation>die Zugnummer „%1“ ist keine Zahl ab 1</translation>
    </message>
    <message>
        <source>This is not a FEN: %1.</source>
        <translation>Das ist keine FEN: %1.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keines</translation>
    </message>
    <message>
        <source>White has no king</source>
        <translation>Weiß hat keinen König</translation>
    </message>
    <message>
        <source>Black has no king</source>
        <translation>Schwarz hat keinen König</translation>
    </message>
    <message>
        <source>White has more than one king</source>
        <translation>Weiß hat mehr als einen König</translation>
    </message>
    <message>
        <source>Black has more than one king</source>
        <translation>Schwarz hat mehr als einen König</translation>
    </message>
    <message>
        <source>White has %1 pieces, more than 16</source>
        <translation>Weiß hat %1 Steine, mehr als 16</translation>
    </message>
    <message>
        <source>Black has %1 pieces, more than 16</source>
        <translation>Schwarz hat %1 Steine, mehr als 16</translation>
    </message>
    <message>
        <source>a pawn stands on %1, on the first or last rank</source>
        <translation>ein Bauer steht auf %1, auf der ersten oder letzten Reihe</translation>
    </message>
    <message>
        <source>White has more pieces of a kind than its missing pawns could have become</source>
        <translation>Weiß hat mehr Figuren einer Art, als aus seinen fehlenden Bauern hätten werden können</translation>
    </message>
    <message>
        <source>Black has more pieces of a kind than its missing pawns could have become</source>
        <translation>Schwarz hat mehr Figuren einer Art, als aus seinen fehlenden Bauern hätten werden können</translation>
    </message>
    <message>
        <source>the castling right %1 needs the king on %2 and a rook on %3</source>
        <translation>das Rochaderecht %1 verlangt den König auf %2 und einen Turm auf %3</translation>
    </message>
    <message>
        <source>no pawn can just have stepped over %1</source>
        <translation>kein Bauer kann eben über %1 gezogen sein</translation>
    </message>
    <message>
        <source>White is in check, but it is Black&apos;s turn</source>
        <translation>Weiß steht im Schach, aber Schwarz ist am Zug</translation>
    </message>
    <message>
        <source>Black is in check, but it is White&apos;s turn</source>
        <translation>Schwarz steht im Schach, aber Weiß ist am Zug</translation>
    </message>
    <message>
        <source>%1 pieces give check, and no move gives more than two</source>
        <translation>%1 Figuren geben Schach, und kein Zug gibt mehr als zwei</translation>
    </message>
    <message>
        <source>no last move can have given this check</source>
        <translation>kein letzter Zug kann dieses Schach gegeben haben</translation>
    </message>
    <message>
        <source>This position cannot be played: %1.</source>
        <translation>Diese Stellung kann nicht gespielt werden: %1.</translation>
    </message>
    <message>
        <source>Chess&amp;960</source>
        <translation>Chess&amp;960</translation>
    </message>
    <message>
        <source>Castling rights by the rook&apos;s file, as in Chess960: the king anywhere on its first rank, with a rook on either side</source>
        <translation>Rochaderechte nach der Linie des Turms, wie in Chess960: der König irgendwo auf seiner Grundreihe, mit einem Turm auf jeder Seite</translation>
    </message>
    <message>
        <source>White&apos;s kingside castling rook</source>
        <translation>Turm der kurzen Rochade von Weiß</translation>
    </message>
    <message>
        <source>White&apos;s queenside castling rook</source>
        <translation>Turm der langen Rochade von Weiß</translation>
    </message>
    <message>
        <source>Black&apos;s kingside castling rook</source>
        <translation>Turm der kurzen Rochade von Schwarz</translation>
    </message>
    <message>
        <source>Black&apos;s queenside castling rook</source>
        <translation>Turm der langen Rochade von Schwarz</translation>
    </message>
    <message>
        <source>The rook this castling right belongs to</source>
        <translation>Der Turm, zu dem dieses Rochaderecht gehört</translation>
    </message>
    <message>
        <source>the castling field &quot;%1&quot; is neither - nor letters of KQkq, nor the files of rooks beside their king (such as HAha)</source>
        <translation>das Rochadefeld „%1“ ist weder - noch Buchstaben aus KQkq noch die Linien von Türmen neben ihrem König (etwa HAha)</translation>
    </message>
    <message>
        <source>White&apos;s kingside castling</source>
        <translation>die kurze Rochade von Weiß</translation>
    </message>
    <message>
        <source>White&apos;s queenside castling</source>
        <translation>die lange Rochade von Weiß</translation>
    </message>
    <message>
        <source>Black&apos;s kingside castling</source>
        <translation>die kurze Rochade von Schwarz</translation>
    </message>
    <message>
        <source>Black&apos;s queenside castling</source>
        <translation>die lange Rochade von Schwarz</translation>
    </message>
    <message>
        <source>%1 needs the king on its first rank and the rook on %2 on that side of it</source>
        <translation>%1 verlangt den König auf seiner Grundreihe und den Turm auf %2 auf dieser Seite</translation>
    </message>
</context>
<context>
    <name>dlgTimeControl</name>
    <message>
        <source>Time Control</source>
        <translation>Bedenkzeit</translation>
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
        <source>M&amp;oves in the first period:</source>
        <translation>Zü&amp;ge im ersten Abschnitt:</translation>
    </message>
    <message>
        <source>&amp;Delay (seconds):</source>
        <translation>Ver&amp;zögerung (Sekunden):</translation>
    </message>
    <message>
        <source>Your own</source>
        <translation>Eigene</translation>
    </message>
    <message>
        <source>%1 = %2</source>
        <translation>%1 = %2</translation>
    </message>
    <message>
        <source>&amp;Time (minutes:seconds):</source>
        <translation>&amp;Zeit (Minuten:Sekunden):</translation>
    </message>
    <message>
        <source>&amp;Increment (seconds added per move):</source>
        <translation>&amp;Zugabe (Sekunden je Zug):</translation>
    </message>
    <message>
        <source>Time for the &amp;rest (minutes:seconds):</source>
        <translation>Zeit für den &amp;Rest (Minuten:Sekunden):</translation>
    </message>
    <message>
        <source>&amp;As in PGN (seconds):</source>
        <translation>&amp;Wie in PGN (Sekunden):</translation>
    </message>
    <message>
        <source>1 minute</source>
        <translation>1 Minute</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1 Minuten</translation>
    </message>
    <message>
        <source>1 second</source>
        <translation>1 Sekunde</translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation>%1 Sekunden</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Hourglass of %1</source>
        <translation>Sanduhr mit %1</translation>
    </message>
    <message>
        <source>%1 for 1 move</source>
        <translation>%1 für 1 Zug</translation>
    </message>
    <message>
        <source>%1 for %2 moves</source>
        <translation>%1 für %2 Züge</translation>
    </message>
    <message>
        <source>%1 + %2</source>
        <translation>%1 + %2</translation>
    </message>
    <message>
        <source>, then </source>
        <translation>, dann </translation>
    </message>
    <message>
        <source>%1, with a delay of %2</source>
        <translation>%1, mit %2 Verzögerung</translation>
    </message>
    <message>
        <source>the time control %1 is %2: times are in seconds, as in PGN</source>
        <translation>die Bedenkzeit %1 ist %2: Zeiten sind in Sekunden, wie in PGN</translation>
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
        <source>Pause C&amp;locks</source>
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
        <source>Piece letter</source>
        <translation>Figurenbuchstabe</translation>
    </message>
    <message>
        <source>Delete or Space</source>
        <translation>Entf oder Leertaste</translation>
    </message>
    <message>
        <source>On the board of Set Up Position: empty the square</source>
        <translation>Auf dem Brett von „Stellung aufbauen“: das Feld leeren</translation>
    </message>
    <message>
        <source>Set &amp;Up Position...</source>
        <translation>Stellung &amp;aufbauen...</translation>
    </message>
    <message>
        <source>On the board of Set Up Position: put that piece there (capitals for White, small letters for Black)</source>
        <translation>Auf dem Brett von „Stellung aufbauen“: diese Figur dorthin setzen (Großbuchstaben für Weiß, kleine für Schwarz)</translation>
    </message>
    <message>
        <source>Expo&amp;rt Position as Image...</source>
        <translation>Stellung als Bild e&amp;xportieren...</translation>
    </message>
    <message>
        <source>Export Game as &amp;GIF...</source>
        <translation>Partie als &amp;GIF exportieren...</translation>
    </message>
    <message>
        <source>Copy Position as &amp;Image</source>
        <translation>Stellung als B&amp;ild kopieren</translation>
    </message>
    <message>
        <source>Cannot export the picture:
%1</source>
        <translation>Das Bild kann nicht exportiert werden:
%1</translation>
    </message>
    <message>
        <source>The position is on the clipboard as a picture</source>
        <translation>Die Stellung ist als Bild in der Zwischenablage</translation>
    </message>
    <message>
        <source>New C&amp;hess960 Game...</source>
        <translation>Neue Chess&amp;960-Partie...</translation>
    </message>
    <message>
        <source>Chess960 #%1</source>
        <translation>Chess960 Nr. %1</translation>
    </message>
    <message>
        <source>Chess960</source>
        <translation>Chess960</translation>
    </message>
    <message>
        <source>In Chess960, on the king&apos;s own rook: castle</source>
        <translation>In Chess960, auf dem eigenen Turm des Königs: rochieren</translation>
    </message>
    <message>
        <source>Only the first game of %1 is shown, as it cannot be listed: %2</source>
        <translation>Nur die erste Partie von %1 wird gezeigt, da die Datei nicht aufgelistet werden kann: %2</translation>
    </message>
    <message>
        <source>The piece set %1 cannot be used: %2. Tavlon&apos;s own pieces are shown.</source>
        <translation>Der Figurensatz %1 kann nicht verwendet werden: %2. Tavlons eigene Figuren werden gezeigt.</translation>
    </message>
    <message>
        <source>Saved game %1 in %2, which had changed on disk: the game was found there again</source>
        <translation>Partie %1 in %2 gespeichert; die Datei war auf der Festplatte geändert worden, die Partie wurde dort wiedergefunden</translation>
    </message>
    <message>
        <source>Cannot save the game in %1:
%2

Save it in another file?</source>
        <translation>Die Partie kann nicht in %1 gespeichert werden:
%2

In einer anderen Datei speichern?</translation>
    </message>
    <message>
        <source>Added the game to %1 as game %2</source>
        <translation>Partie an %1 als Partie %2 angehängt</translation>
    </message>
    <message>
        <source>Cannot read %1:
%2</source>
        <translation>%1 kann nicht gelesen werden:
%2</translation>
    </message>
    <message>
        <source>%1 has changed on disk, and the game on the board is no longer in it. Choose a game of the file as it is now.</source>
        <translation>%1 wurde auf der Festplatte geändert, und die Partie auf dem Brett ist nicht mehr darin. Wählen Sie eine Partie der Datei, wie sie jetzt ist.</translation>
    </message>
    <message>
        <source>%1 had changed on disk, and its games were read again: this is game %2 of %3</source>
        <translation>%1 war auf der Festplatte geändert worden, ihre Partien wurden neu gelesen: dies ist Partie %2 von %3</translation>
    </message>
    <message>
        <source>Some files in the folder of unfinished games cannot be restored. They were set aside there, renamed, in %1:
%2</source>
        <translation>Einige Dateien im Ordner der unbeendeten Partien können nicht wiederhergestellt werden. Sie wurden dort umbenannt beiseitegelegt, in %1:
%2</translation>
    </message>
    <message>
        <source>%1: not text (a NUL byte, or control characters)</source>
        <translation>%1: kein Text (ein NUL-Byte oder Steuerzeichen)</translation>
    </message>
    <message>
        <source>%1: no game to restore (%2)</source>
        <translation>%1: keine Partie zum Wiederherstellen (%2)</translation>
    </message>
    <message>
        <source>Cannot restore the game: %1
It was set aside as %2.</source>
        <translation>Die Partie kann nicht wiederhergestellt werden: %1
Sie wurde als %2 beiseitegelegt.</translation>
    </message>
    <message>
        <source>The rules of chess are on a web page, which needs an internet connection. Tavlon&apos;s own help needs none.</source>
        <translation>Die Schachregeln stehen auf einer Webseite, die eine Internetverbindung braucht. Tavlons eigene Hilfe braucht keine.</translation>
    </message>
    <message>
        <source>Open in &amp;Browser</source>
        <translation>Im &amp;Browser öffnen</translation>
    </message>
    <message>
        <source>Show Built-in &amp;Help</source>
        <translation>Eingebaute &amp;Hilfe zeigen</translation>
    </message>
    <message>
        <source>%1 — the clocks are paused: Pause Clocks (Ctrl+P) starts them</source>
        <translation>%1 – die Uhren sind angehalten: Uhren anhalten (Strg+P) startet sie</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>Casual game</source>
        <translation>Freie Partie</translation>
    </message>
    <message>
        <source>Move %1 shown, the last %2 — Alt+End returns</source>
        <translation>Zug %1 wird angezeigt, der letzte %2 – Alt+Ende kehrt zurück</translation>
    </message>
    <message>
        <source>Variation move %1 shown — Alt+End returns</source>
        <translation>Variantenzug %1 wird angezeigt – Alt+Ende kehrt zurück</translation>
    </message>
    <message>
        <source>&amp;Automatic: the Pane for Annotated Games</source>
        <translation>&amp;Automatisch: Notation für kommentierte Partien</translation>
    </message>
    <message>
        <source>Move &amp;Lists</source>
        <translation>Zug&amp;listen</translation>
    </message>
    <message>
        <source>&amp;Notation Pane</source>
        <translation>&amp;Notation</translation>
    </message>
    <message>
        <source>Comme&amp;nt on Move</source>
        <translation>Zug komme&amp;ntieren</translation>
    </message>
    <message>
        <source>&amp;Mark Move</source>
        <translation>Zug &amp;bewerten</translation>
    </message>
    <message>
        <source>&amp;Good Move</source>
        <translation>&amp;Guter Zug</translation>
    </message>
    <message>
        <source>&amp;Mistake</source>
        <translation>&amp;Fehler</translation>
    </message>
    <message>
        <source>&amp;Brilliant Move</source>
        <translation>&amp;Brillanter Zug</translation>
    </message>
    <message>
        <source>B&amp;lunder</source>
        <translation>G&amp;rober Fehler</translation>
    </message>
    <message>
        <source>&amp;Interesting Move</source>
        <translation>&amp;Interessanter Zug</translation>
    </message>
    <message>
        <source>&amp;Dubious Move</source>
        <translation>&amp;Zweifelhafter Zug</translation>
    </message>
    <message>
        <source>Promote Va&amp;riation</source>
        <translation>Variante zur &amp;Hauptlinie machen</translation>
    </message>
    <message>
        <source>Delete &amp;Variation</source>
        <translation>&amp;Variante löschen</translation>
    </message>
    <message>
        <source>Delete Moves from &amp;Here</source>
        <translation>&amp;Züge ab hier löschen</translation>
    </message>
    <message>
        <source>The game&apos;s result becomes %1 instead of %2. Promote the variation?</source>
        <translation>Das Ergebnis der Partie wird %1 statt %2. Die Variante zur Hauptlinie machen?</translation>
    </message>
    <message>
        <source>The variation cannot become the game: the game would end before it does</source>
        <translation>Die Variante kann nicht zur Partie werden: die Partie würde vor ihr enden</translation>
    </message>
    <message>
        <source>Delete this variation and every move in it?</source>
        <translation>Diese Variante mit allen ihren Zügen löschen?</translation>
    </message>
    <message>
        <source>Take back the game&apos;s moves from the move shown on? Its variations stay.</source>
        <translation>Die Züge der Partie ab dem gezeigten Zug zurücknehmen? Ihre Varianten bleiben.</translation>
    </message>
    <message>
        <source>Delete the move shown and every move after it in its variation?</source>
        <translation>Den gezeigten Zug und alle folgenden Züge seiner Variante löschen?</translation>
    </message>
    <message>
        <source>Ctrl+Return</source>
        <translation>Strg+Eingabe</translation>
    </message>
    <message>
        <source>In the comment box: keep the comment</source>
        <translation>Im Kommentarfeld: den Kommentar übernehmen</translation>
    </message>
    <message>
        <source>Previous Variation</source>
        <translation>Vorige Variante</translation>
    </message>
    <message>
        <source>Next Variation</source>
        <translation>Nächste Variante</translation>
    </message>
    <message>
        <source>Moves Sho&amp;wn In</source>
        <translation>Züge zeigen &amp;in</translation>
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
        <source>tavlon: bad time control &quot;%1&quot;: %2</source>
        <translation>tavlon: ungültige Bedenkzeit &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Make a picture of a game in a PGN file, without a window, and quit.</source>
        <translation>Ein Bild einer Partie aus einer PGN-Datei erstellen, ohne Fenster, und beenden.</translation>
    </message>
    <message>
        <source>The picture to write: a position as .png or .svg, the game as an animated .gif.</source>
        <translation>Das zu schreibende Bild: eine Stellung als .png oder .svg, die Partie als animiertes .gif.</translation>
    </message>
    <message>
        <source>OUT</source>
        <translation>AUS</translation>
    </message>
    <message>
        <source>The board&apos;s side, 240 to 2000 pixels (480).</source>
        <translation>Die Seitenlänge des Bretts, 240 bis 2000 Pixel (480).</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>The position after K half-moves (0: the start; the last position unless given).</source>
        <translation>Die Stellung nach K Halbzügen (0: der Anfang; ohne Angabe die letzte Stellung).</translation>
    </message>
    <message>
        <source>K</source>
        <translation>K</translation>
    </message>
    <message>
        <source>The game of the file, counting from 1 (1).</source>
        <translation>Die Partie der Datei, ab 1 gezählt (1).</translation>
    </message>
    <message>
        <source>Black&apos;s side at the bottom.</source>
        <translation>Die Seite von Schwarz unten.</translation>
    </message>
    <message>
        <source>Letters and digits along the edges.</source>
        <translation>Buchstaben und Ziffern an den Rändern.</translation>
    </message>
    <message>
        <source>The last move and a check marked.</source>
        <translation>Der letzte Zug und ein Schach markiert.</translation>
    </message>
    <message>
        <source>The players&apos; names, the side to move and the result.</source>
        <translation>Die Namen der Spieler, wer am Zug ist, und das Ergebnis.</translation>
    </message>
    <message>
        <source>A GIF&apos;s time per position, 0.2 to 5 seconds (1).</source>
        <translation>Die Zeit je Stellung in einem GIF, 0,2 bis 5 Sekunden (1).</translation>
    </message>
    <message>
        <source>SECONDS</source>
        <translation>SEKUNDEN</translation>
    </message>
    <message>
        <source>--export FILE.pgn and --to OUT go together</source>
        <translation>--export DATEI.pgn und --to AUS gehören zusammen</translation>
    </message>
    <message>
        <source>%1: the picture&apos;s name must end in .png, .svg or .gif</source>
        <translation>%1: der Name des Bildes muss auf .png, .svg oder .gif enden</translation>
    </message>
    <message>
        <source>bad size &quot;%1&quot;: give 240 to 2000 pixels</source>
        <translation>ungültige Größe „%1“: 240 bis 2000 Pixel angeben</translation>
    </message>
    <message>
        <source>bad game number &quot;%1&quot;</source>
        <translation>ungültige Partienummer „%1“</translation>
    </message>
    <message>
        <source>bad ply &quot;%1&quot;: give 0 or more half-moves</source>
        <translation>ungültiger Halbzug „%1“: 0 oder mehr Halbzüge angeben</translation>
    </message>
    <message>
        <source>bad frame time &quot;%1&quot;: give 0.2 to 5 seconds</source>
        <translation>ungültige Bildzeit „%1“: 0,2 bis 5 Sekunden angeben</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>die Datei gibt es nicht</translation>
    </message>
    <message>
        <source>%1 holds %2 games; there is no game %3</source>
        <translation>%1 enthält %2 Partien; eine Partie %3 gibt es nicht</translation>
    </message>
    <message>
        <source>it is not text</source>
        <translation>es ist kein Text</translation>
    </message>
    <message>
        <source>game %1 of %2 cannot be read: %3</source>
        <translation>Partie %1 von %2 kann nicht gelesen werden: %3</translation>
    </message>
    <message>
        <source>game %1 of %2 has %3 half-moves; there is no ply %4</source>
        <translation>Partie %1 von %2 hat %3 Halbzüge; einen Halbzug %4 gibt es nicht</translation>
    </message>
    <message>
        <source>Play this run with a chess clock: FORM in the PGN TimeControl form, in seconds: 300 (5 minutes), 180+2 (3 minutes + 2 seconds a move), 40/5400:1800, *60, or 300d5 for a 5-second delay.</source>
        <translation>Diesen Lauf mit Schachuhr spielen: FORM in der PGN-Form von TimeControl, in Sekunden: 300 (5 Minuten), 180+2 (3 Minuten + 2 Sekunden je Zug), 40/5400:1800, *60, oder 300d5 für 5 Sekunden Verzögerung.</translation>
    </message>
    <message>
        <source>tavlon: --export and --analyse cannot go together</source>
        <translation>tavlon: --export und --analyse gehen nicht zusammen</translation>
    </message>
    <message>
        <source>Analyse every game of a PGN file with a UCI engine, without a window, and write them to standard output with evaluations, marked mistakes and better lines.</source>
        <translation>Jede Partie einer PGN-Datei mit einer UCI-Engine analysieren, ohne Fenster, und sie mit Bewertungen, markierten Fehlern und besseren Varianten auf die Standardausgabe schreiben.</translation>
    </message>
    <message>
        <source>The engine&apos;s budget per position in nodes, the same on every run (1000000).</source>
        <translation>Der Aufwand der Engine je Stellung in Knoten, bei jedem Lauf gleich (1000000).</translation>
    </message>
    <message>
        <source>The budget as a search depth instead, 1 to 99.</source>
        <translation>Der Aufwand stattdessen als Suchtiefe, 1 bis 99.</translation>
    </message>
    <message>
        <source>D</source>
        <translation>T</translation>
    </message>
    <message>
        <source>The UCI engine to run (the one set in the window, else Stockfish).</source>
        <translation>Die UCI-Engine, die laufen soll (die im Fenster eingestellte, sonst Stockfish).</translation>
    </message>
    <message>
        <source>PATH</source>
        <translation>PFAD</translation>
    </message>
    <message>
        <source>--nodes and --depth cannot go together</source>
        <translation>--nodes und --depth gehen nicht zusammen</translation>
    </message>
    <message>
        <source>bad node count &quot;%1&quot;</source>
        <translation>falsche Knotenzahl „%1“</translation>
    </message>
    <message>
        <source>bad depth &quot;%1&quot;: give 1 to 99</source>
        <translation>falsche Tiefe „%1“: 1 bis 99 angeben</translation>
    </message>
    <message>
        <source>no engine &quot;%1&quot; found</source>
        <translation>keine Engine „%1“ gefunden</translation>
    </message>
    <message>
        <source>no engine found: install Stockfish, or name one with --engine</source>
        <translation>keine Engine gefunden: Stockfish installieren oder eine mit --engine nennen</translation>
    </message>
    <message>
        <source>game %1 of %2: %3 of %4 positions</source>
        <translation>Partie %1 von %2: %3 von %4 Stellungen</translation>
    </message>
    <message>
        <source>analysing game %1 of %2</source>
        <translation>analysiere Partie %1 von %2</translation>
    </message>
    <message>
        <source>game %1 of %2: %3</source>
        <translation>Partie %1 von %2: %3</translation>
    </message>
</context>
</TS>
