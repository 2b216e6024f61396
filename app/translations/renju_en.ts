<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Renju</name>
    <message>
        <source>尚未有交手記錄</source>
        <translation>No games played yet</translation>
    </message>
    <message>
        <source>你贏了%5d局<byte value="xd"/>
<byte value="xd"/>
你輸了%5d局<byte value="xd"/>
<byte value="xd"/>
勝率為%3d.%02d%%</source>
        <translation>You won %5d games<byte value="xd"/>
<byte value="xd"/>
You lost %5d games<byte value="xd"/>
<byte value="xd"/>
Win rate %3d.%02d%%</translation>
    </message>
    <message>
        <source>勝負統計</source>
        <translation>Wins and losses</translation>
    </message>
    <message>
        <source>cannot be opened: %1.</source>
        <translation>cannot be opened: %1.</translation>
    </message>
    <message>
        <source>is not a regular file.</source>
        <translation>is not a regular file.</translation>
    </message>
    <message>
        <source>is too big: more than %1 bytes.</source>
        <translation>is too big: more than %1 bytes.</translation>
    </message>
    <message>
        <source>cannot be read: %1.</source>
        <translation>cannot be read: %1.</translation>
    </message>
    <message>
        <source>is not a text file in UTF-8.</source>
        <translation>is not a text file in UTF-8.</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>The help file %1 %2</source>
        <translation>The help file %1 %2</translation>
    </message>
    <message>
        <source>The help file %1 has no topic %2.</source>
        <translation>The help file %1 has no topic %2.</translation>
    </message>
    <message>
        <source>Topic %1 of the help file %2 is too long to show: more than %3 characters.</source>
        <translation>Topic %1 of the help file %2 is too long to show: more than %3 characters.</translation>
    </message>
    <message>
        <source>The help file %1 was not found. Looked in:</source>
        <translation>The help file %1 was not found. Looked in:</translation>
    </message>
    <message>
        <source>花月</source>
        <translation>Kagetsu</translation>
    </message>
    <message>
        <source>寒星</source>
        <translation>Kansei</translation>
    </message>
    <message>
        <source>溪月</source>
        <translation>Keigetsu</translation>
    </message>
    <message>
        <source>疏星</source>
        <translation>Sosei</translation>
    </message>
    <message>
        <source>殘月</source>
        <translation>Zangetsu</translation>
    </message>
    <message>
        <source>雨月</source>
        <translation>Ugetsu</translation>
    </message>
    <message>
        <source>金星</source>
        <translation>Kinsei</translation>
    </message>
    <message>
        <source>松月</source>
        <translation>Shogetsu</translation>
    </message>
    <message>
        <source>丘月</source>
        <translation>Kyugetsu</translation>
    </message>
    <message>
        <source>新月</source>
        <translation>Shingetsu</translation>
    </message>
    <message>
        <source>瑞星</source>
        <translation>Zuisei</translation>
    </message>
    <message>
        <source>山月</source>
        <translation>Sangetsu</translation>
    </message>
    <message>
        <source>遊星</source>
        <translation>Yusei</translation>
    </message>
    <message>
        <source>浦月</source>
        <translation>Hogetsu</translation>
    </message>
    <message>
        <source>長星</source>
        <translation>Chosei</translation>
    </message>
    <message>
        <source>峽月</source>
        <translation>Kyogetsu</translation>
    </message>
    <message>
        <source>恆星</source>
        <translation>Kosei</translation>
    </message>
    <message>
        <source>水月</source>
        <translation>Suigetsu</translation>
    </message>
    <message>
        <source>流星</source>
        <translation>Ryusei</translation>
    </message>
    <message>
        <source>雲月</source>
        <translation>Ungetsu</translation>
    </message>
    <message>
        <source>嵐月</source>
        <translation>Rangetsu</translation>
    </message>
    <message>
        <source>銀月</source>
        <translation>Gingetsu</translation>
    </message>
    <message>
        <source>明星</source>
        <translation>Meisei</translation>
    </message>
    <message>
        <source>斜月</source>
        <translation>Shagetsu</translation>
    </message>
    <message>
        <source>名月</source>
        <translation>Meigetsu</translation>
    </message>
    <message>
        <source>慧星</source>
        <translation>Suisei</translation>
    </message>
    <message>
        <source>OK(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Cancel(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Choose a start type</source>
        <translation>Choose an opening</translation>
    </message>
    <message>
        <source>Not bad, it costs me so many moves to win</source>
        <translation>Not bad, it cost me so many moves to win</translation>
    </message>
    <message>
        <source>Be smart, ok?</source>
        <translation>Be smart, OK?</translation>
    </message>
    <message>
        <source>So easy to defeat you</source>
        <translation>So easy to defeat you</translation>
    </message>
    <message>
        <source>You need more practice</source>
        <translation>You need more practice</translation>
    </message>
    <message>
        <source>What? I lost?</source>
        <translation>What? I lost?</translation>
    </message>
    <message>
        <source>I was desigend by a stupid programmer, not my fault</source>
        <translation>I was designed by a stupid programmer, not my fault</translation>
    </message>
    <message>
        <source>You can not be always lucky</source>
        <translation>You cannot always be lucky</translation>
    </message>
    <message>
        <source>Message: </source>
        <translation>Message</translation>
    </message>
    <message>
        <source>You lost by playing a prohibited move

</source>
        <translation>You lost by playing a forbidden move

</translation>
    </message>
    <message>
        <source>Message: ...</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Umm, better than naive</source>
        <translation>Umm, better than naive</translation>
    </message>
    <message>
        <source>哇! 居然下成和棋.</source>
        <translation>Wow! The game ended in a draw.</translation>
    </message>
    <message>
        <source>請決定先後手</source>
        <translation>Please decide who moves first</translation>
    </message>
    <message>
        <source>我選擇【%1】開局，你是否仍要持白子？</source>
        <translation>I choose the opening %1. Do you still want to play White?</translation>
    </message>
    <message>
        <source>五子棋</source>
        <translation>Renju</translation>
    </message>
    <message>
        <source>我選擇下黑棋，請你下第四手</source>
        <translation>I choose to play Black. Please play the fourth move.</translation>
    </message>
    <message>
        <source>One move no more than</source>
        <translation>One move no more than</translation>
    </message>
    <message>
        <source>sec</source>
        <translation>seconds</translation>
    </message>
    <message>
        <source>Time limit for each move by computer</source>
        <translation>Time limit for each move by computer</translation>
    </message>
    <message>
        <source>請輸入一整數.</source>
        <translation>Please enter a whole number.</translation>
    </message>
    <message>
        <source>請輸入一個在 %1 到 %2 之間的整數.</source>
        <translation>Please enter a whole number from %1 to %2.</translation>
    </message>
    <message>
        <source>Renju</source>
        <translation>Renju</translation>
    </message>
    <message>
        <source>White</source>
        <translation>White</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>Renju - quick response, </source>
        <translation>Renju - quick response, </translation>
    </message>
    <message>
        <source>Renju - %swill lose, </source>
        <translation>Renju - %s will lose, </translation>
    </message>
    <message>
        <source>Renju - %swill win, </source>
        <translation>Renju - %s will win, </translation>
    </message>
    <message>
        <source>Renju - %sAdvantage %d, </source>
        <translation>Renju - %s ahead by %d, </translation>
    </message>
    <message>
        <source>Renju - %sBehined %d, </source>
        <translation>Renju - %s behind by %d, </translation>
    </message>
    <message>
        <source>Move %d</source>
        <translation>Move %d</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>Renju - %s, </source>
        <translation>Renju - %s, </translation>
    </message>
    <message>
        <source>Time %d.%02d</source>
        <translation>Time %d.%02d</translation>
    </message>
    <message>
        <source>About Renju</source>
        <translation>About Renju</translation>
    </message>
    <message>
        <source>Five in a row on a 19 x 19 board against the computer, under the basic, Japanese and international rules, at nine levels of play.
Free software: play it, share it, study it.</source>
        <translation>Five in a row on a 19 x 19 board against the computer, under the basic, Japanese and international rules, at nine levels of play.
Free software: play it, share it, study it.</translation>
    </message>
    <message>
        <source>Renju Version 1.0</source>
        <translation>Renju Version 1.0</translation>
    </message>
    <message>
        <source>The translation file %1 was not found.</source>
        <translation>The translation file %1 was not found.</translation>
    </message>
    <message>
        <source>Naive</source>
        <translation>Naive</translation>
    </message>
    <message>
        <source>Basic</source>
        <translation>Basic</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>Master</translation>
    </message>
    <message>
        <source>Quite slow 1</source>
        <translation>Quite slow 1</translation>
    </message>
    <message>
        <source>Quite slow 2</source>
        <translation>Quite slow 2</translation>
    </message>
    <message>
        <source>Quite slow 3</source>
        <translation>Quite slow 3</translation>
    </message>
    <message>
        <source>File(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Score(&amp;S)</source>
        <translation>&amp;Score</translation>
    </message>
    <message>
        <source>Exit(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Instructions(&amp;I)</source>
        <translation>&amp;Instructions</translation>
    </message>
    <message>
        <source>Start new game(F2)</source>
        <translation>Start new game (F2)</translation>
    </message>
    <message>
        <source>Undo(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>Setup(&amp;S)</source>
        <translation>&amp;Setup</translation>
    </message>
    <message>
        <source>Tournament</source>
        <translation>Tournament</translation>
    </message>
    <message>
        <source>Basic rule</source>
        <translation>Basic rule</translation>
    </message>
    <message>
        <source>Japan Rule</source>
        <translation>Japan Rule</translation>
    </message>
    <message>
        <source>International Rule</source>
        <translation>International Rule</translation>
    </message>
    <message>
        <source>Computer start</source>
        <translation>Computer start</translation>
    </message>
    <message>
        <source>Human start</source>
        <translation>Human start</translation>
    </message>
    <message>
        <source>Alternative</source>
        <translation>Alternative</translation>
    </message>
    <message>
        <source>Computer time limit</source>
        <translation>Computer time limit</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Help(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Help content(&amp;C)</source>
        <translation>Help &amp;contents</translation>
    </message>
    <message>
        <source>About(&amp;A)...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <source>The help file %1 was not found. Looked in: %2.</source>
        <translation>The help file %1 was not found. Looked in: %2.</translation>
    </message>
    <message>
        <source>Game records (*.psq)</source>
        <translation>Game records (*.psq)</translation>
    </message>
    <message>
        <source>Save game</source>
        <translation>Save game</translation>
    </message>
    <message>
        <source>Open game</source>
        <translation>Open game</translation>
    </message>
    <message>
        <source>Game record</source>
        <translation>Game record</translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2</source>
        <translation>%1 cannot be opened: %2</translation>
    </message>
    <message>
        <source>%1 could not be written.</source>
        <translation>%1 could not be written.</translation>
    </message>
    <message>
        <source>The clipboard&apos;s game</source>
        <translation>The clipboard&apos;s game</translation>
    </message>
    <message>
        <source>double three</source>
        <translation>double three</translation>
    </message>
    <message>
        <source>double four</source>
        <translation>double four</translation>
    </message>
    <message>
        <source>overline</source>
        <translation>overline</translation>
    </message>
    <message>
        <source>move %1 &quot;%2&quot; is not a point</source>
        <translation>move %1 &quot;%2&quot; is not a point</translation>
    </message>
    <message>
        <source>it is not a game record (%1)</source>
        <translation>it is not a game record (%1)</translation>
    </message>
    <message>
        <source>its board is %1x%1, this board is 19x19</source>
        <translation>its board is %1x%1, this board is 19x19</translation>
    </message>
    <message>
        <source>move %1 (%2) is off the board</source>
        <translation>move %1 (%2) is off the board</translation>
    </message>
    <message>
        <source>move %1 (%2) is on a stone</source>
        <translation>move %1 (%2) is on a stone</translation>
    </message>
    <message>
        <source>move %1 (%2) is forbidden to Black: %3</source>
        <translation>move %1 (%2) is forbidden to Black: %3</translation>
    </message>
    <message>
        <source>move %1 (%2) comes after the end of the game</source>
        <translation>move %1 (%2) comes after the end of the game</translation>
    </message>
    <message>
        <source>the record says &quot;%1&quot;, but its %2 moves do not end so</source>
        <translation>the record says &quot;%1&quot;, but its %2 moves do not end so</translation>
    </message>
    <message>
        <source>Open game...	Ctrl+O</source>
        <translation>&amp;Open game...	Ctrl+O</translation>
    </message>
    <message>
        <source>Save game...	Ctrl+S</source>
        <translation>Sa&amp;ve game...	Ctrl+S</translation>
    </message>
    <message>
        <source>Edit(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>Copy game</source>
        <translation>&amp;Copy game</translation>
    </message>
    <message>
        <source>Paste game</source>
        <translation>&amp;Paste game</translation>
    </message>
    <message>
        <source>Renju - Move %1 of %2</source>
        <translation>Renju - Move %1 of %2</translation>
    </message>
</context>
</TS>
