<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>Renju</name>
    <message>
        <source>尚未有交手記錄</source>
        <translation>尚未有交手記錄</translation>
    </message>
    <message>
        <source>你贏了%5d局<byte value="xd"/>
<byte value="xd"/>
你輸了%5d局<byte value="xd"/>
<byte value="xd"/>
勝率為%3d.%02d%%</source>
        <translation>你贏了%5d局<byte value="xd"/>
<byte value="xd"/>
你輸了%5d局<byte value="xd"/>
<byte value="xd"/>
勝率為%3d.%02d%%</translation>
    </message>
    <message>
        <source>勝負統計</source>
        <translation>勝負統計</translation>
    </message>
    <message>
        <source>cannot be opened: %1.</source>
        <translation>無法開啟：%1。</translation>
    </message>
    <message>
        <source>is not a regular file.</source>
        <translation>不是一般檔案。</translation>
    </message>
    <message>
        <source>is too big: more than %1 bytes.</source>
        <translation>太大：超過 %1 位元組。</translation>
    </message>
    <message>
        <source>cannot be read: %1.</source>
        <translation>無法讀取：%1。</translation>
    </message>
    <message>
        <source>is not a text file in UTF-8.</source>
        <translation>不是 UTF-8 文字檔。</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>說明</translation>
    </message>
    <message>
        <source>The help file %1 %2</source>
        <translation>說明檔 %1 %2</translation>
    </message>
    <message>
        <source>The help file %1 has no topic %2.</source>
        <translation>說明檔 %1 沒有第 %2 號主題。</translation>
    </message>
    <message>
        <source>Topic %1 of the help file %2 is too long to show: more than %3 characters.</source>
        <translation>說明檔 %2 的第 %1 號主題太長，無法顯示：超過 %3 個字元。</translation>
    </message>
    <message>
        <source>The help file %1 was not found. Looked in:</source>
        <translation>找不到說明檔 %1。已找過：</translation>
    </message>
    <message>
        <source>花月</source>
        <translation>花月</translation>
    </message>
    <message>
        <source>寒星</source>
        <translation>寒星</translation>
    </message>
    <message>
        <source>溪月</source>
        <translation>溪月</translation>
    </message>
    <message>
        <source>疏星</source>
        <translation>疏星</translation>
    </message>
    <message>
        <source>殘月</source>
        <translation>殘月</translation>
    </message>
    <message>
        <source>雨月</source>
        <translation>雨月</translation>
    </message>
    <message>
        <source>金星</source>
        <translation>金星</translation>
    </message>
    <message>
        <source>松月</source>
        <translation>松月</translation>
    </message>
    <message>
        <source>丘月</source>
        <translation>丘月</translation>
    </message>
    <message>
        <source>新月</source>
        <translation>新月</translation>
    </message>
    <message>
        <source>瑞星</source>
        <translation>瑞星</translation>
    </message>
    <message>
        <source>山月</source>
        <translation>山月</translation>
    </message>
    <message>
        <source>遊星</source>
        <translation>遊星</translation>
    </message>
    <message>
        <source>浦月</source>
        <translation>浦月</translation>
    </message>
    <message>
        <source>長星</source>
        <translation>長星</translation>
    </message>
    <message>
        <source>峽月</source>
        <translation>峽月</translation>
    </message>
    <message>
        <source>恆星</source>
        <translation>恆星</translation>
    </message>
    <message>
        <source>水月</source>
        <translation>水月</translation>
    </message>
    <message>
        <source>流星</source>
        <translation>流星</translation>
    </message>
    <message>
        <source>雲月</source>
        <translation>雲月</translation>
    </message>
    <message>
        <source>嵐月</source>
        <translation>嵐月</translation>
    </message>
    <message>
        <source>銀月</source>
        <translation>銀月</translation>
    </message>
    <message>
        <source>明星</source>
        <translation>明星</translation>
    </message>
    <message>
        <source>斜月</source>
        <translation>斜月</translation>
    </message>
    <message>
        <source>名月</source>
        <translation>名月</translation>
    </message>
    <message>
        <source>慧星</source>
        <translation>慧星</translation>
    </message>
    <message>
        <source>OK(&amp;O)</source>
        <translation>確定(&amp;O)</translation>
    </message>
    <message>
        <source>Cancel(&amp;C)</source>
        <translation>取消(&amp;C)</translation>
    </message>
    <message>
        <source>Choose a start type</source>
        <translation>選擇開局</translation>
    </message>
    <message>
        <source>Not bad, it costs me so many moves to win</source>
        <translation>不錯嘛，我下了這麼多手才贏</translation>
    </message>
    <message>
        <source>Be smart, ok?</source>
        <translation>聰明一點，好嗎？</translation>
    </message>
    <message>
        <source>So easy to defeat you</source>
        <translation>要打敗你真容易</translation>
    </message>
    <message>
        <source>You need more practice</source>
        <translation>你需要多加練習</translation>
    </message>
    <message>
        <source>What? I lost?</source>
        <translation>什麼？我輸了？</translation>
    </message>
    <message>
        <source>I was desigend by a stupid programmer, not my fault</source>
        <translation>設計我的程式設計師太笨了，不是我的錯</translation>
    </message>
    <message>
        <source>You can not be always lucky</source>
        <translation>你不會永遠這麼幸運</translation>
    </message>
    <message>
        <source>Message: </source>
        <translation>訊息</translation>
    </message>
    <message>
        <source>You lost by playing a prohibited move

</source>
        <translation>你下了禁手，輸了

</translation>
    </message>
    <message>
        <source>Message: ...</source>
        <translation>訊息</translation>
    </message>
    <message>
        <source>Umm, better than naive</source>
        <translation>嗯，比初學者強</translation>
    </message>
    <message>
        <source>哇! 居然下成和棋.</source>
        <translation>哇! 居然下成和棋.</translation>
    </message>
    <message>
        <source>請決定先後手</source>
        <translation>請決定先後手</translation>
    </message>
    <message>
        <source>我選擇【%1】開局，你是否仍要持白子？</source>
        <translation>我選擇【%1】開局，你是否仍要持白子？</translation>
    </message>
    <message>
        <source>五子棋</source>
        <translation>五子棋</translation>
    </message>
    <message>
        <source>我選擇下黑棋，請你下第四手</source>
        <translation>我選擇下黑棋，請你下第四手</translation>
    </message>
    <message>
        <source>One move no more than</source>
        <translation>每步不超過</translation>
    </message>
    <message>
        <source>sec</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Time limit for each move by computer</source>
        <translation>電腦每步的思考時間上限</translation>
    </message>
    <message>
        <source>請輸入一整數.</source>
        <translation>請輸入一整數.</translation>
    </message>
    <message>
        <source>請輸入一個在 %1 到 %2 之間的整數.</source>
        <translation>請輸入一個在 %1 到 %2 之間的整數.</translation>
    </message>
    <message>
        <source>Renju</source>
        <translation>五子棋</translation>
    </message>
    <message>
        <source>White</source>
        <translation>白方</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>黑方</translation>
    </message>
    <message>
        <source>Renju - quick response, </source>
        <translation>五子棋 - 快速回應，</translation>
    </message>
    <message>
        <source>Renju - %swill lose, </source>
        <translation>五子棋 - %s將會輸，</translation>
    </message>
    <message>
        <source>Renju - %swill win, </source>
        <translation>五子棋 - %s將會贏，</translation>
    </message>
    <message>
        <source>Renju - %sAdvantage %d, </source>
        <translation>五子棋 - %s領先 %d，</translation>
    </message>
    <message>
        <source>Renju - %sBehined %d, </source>
        <translation>五子棋 - %s落後 %d，</translation>
    </message>
    <message>
        <source>Move %d</source>
        <translation>第 %d 手</translation>
    </message>
    <message>
        <source>, </source>
        <translation>，</translation>
    </message>
    <message>
        <source>Renju - %s, </source>
        <translation>五子棋 - %s，</translation>
    </message>
    <message>
        <source>Time %d.%02d</source>
        <translation>用時 %d.%02d 秒</translation>
    </message>
    <message>
        <source>About Renju</source>
        <translation>關於五子棋</translation>
    </message>
    <message>
        <source>Five in a row on a 19 x 19 board against the computer, under the basic, Japanese and international rules, at nine levels of play.
Free software: play it, share it, study it.</source>
        <translation>在 19 x 19 的棋盤上與電腦對弈五子棋，可選基本規則、日本規則與國際規則，共有九個棋力等級。
自由軟體：歡迎遊玩、分享與研究。</translation>
    </message>
    <message>
        <source>Renju Version 1.0</source>
        <translation>五子棋 1.0 版</translation>
    </message>
    <message>
        <source>The translation file %1 was not found.</source>
        <translation>找不到翻譯檔 %1。</translation>
    </message>
    <message>
        <source>Naive</source>
        <translation>初學</translation>
    </message>
    <message>
        <source>Basic</source>
        <translation>基本</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>普通</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>進階</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>大師</translation>
    </message>
    <message>
        <source>Quite slow 1</source>
        <translation>深思 1</translation>
    </message>
    <message>
        <source>Quite slow 2</source>
        <translation>深思 2</translation>
    </message>
    <message>
        <source>Quite slow 3</source>
        <translation>深思 3</translation>
    </message>
    <message>
        <source>File(&amp;F)</source>
        <translation>檔案(&amp;F)</translation>
    </message>
    <message>
        <source>Score(&amp;S)</source>
        <translation>戰績(&amp;S)</translation>
    </message>
    <message>
        <source>Exit(&amp;X)</source>
        <translation>結束(&amp;X)</translation>
    </message>
    <message>
        <source>Instructions(&amp;I)</source>
        <translation>對局(&amp;I)</translation>
    </message>
    <message>
        <source>Start new game(F2)</source>
        <translation>開始新局(F2)</translation>
    </message>
    <message>
        <source>Undo(&amp;U)</source>
        <translation>悔棋(&amp;U)</translation>
    </message>
    <message>
        <source>Setup(&amp;S)</source>
        <translation>設定(&amp;S)</translation>
    </message>
    <message>
        <source>Tournament</source>
        <translation>比賽</translation>
    </message>
    <message>
        <source>Basic rule</source>
        <translation>基本規則</translation>
    </message>
    <message>
        <source>Japan Rule</source>
        <translation>日本規則</translation>
    </message>
    <message>
        <source>International Rule</source>
        <translation>國際規則</translation>
    </message>
    <message>
        <source>Computer start</source>
        <translation>電腦先下</translation>
    </message>
    <message>
        <source>Human start</source>
        <translation>玩家先下</translation>
    </message>
    <message>
        <source>Alternative</source>
        <translation>輪流先下</translation>
    </message>
    <message>
        <source>Computer time limit</source>
        <translation>電腦思考時間</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>語言</translation>
    </message>
    <message>
        <source>Help(&amp;H)</source>
        <translation>說明(&amp;H)</translation>
    </message>
    <message>
        <source>Help content(&amp;C)</source>
        <translation>說明內容(&amp;C)</translation>
    </message>
    <message>
        <source>About(&amp;A)...</source>
        <translation>關於(&amp;A)...</translation>
    </message>
    <message>
        <source>The help file %1 was not found. Looked in: %2.</source>
        <translation>找不到說明檔 %1。已找過：%2。</translation>
    </message>
    <message>
        <source>Game records (*.psq)</source>
        <translation>棋譜 (*.psq)</translation>
    </message>
    <message>
        <source>Save game</source>
        <translation>儲存棋譜</translation>
    </message>
    <message>
        <source>Open game</source>
        <translation>開啟棋譜</translation>
    </message>
    <message>
        <source>Game record</source>
        <translation>棋譜</translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2</source>
        <translation>無法開啟 %1：%2</translation>
    </message>
    <message>
        <source>%1 could not be written.</source>
        <translation>無法寫入 %1。</translation>
    </message>
    <message>
        <source>The clipboard&apos;s game</source>
        <translation>剪貼簿上的棋局</translation>
    </message>
    <message>
        <source>double three</source>
        <translation>雙三</translation>
    </message>
    <message>
        <source>double four</source>
        <translation>雙四</translation>
    </message>
    <message>
        <source>overline</source>
        <translation>長連</translation>
    </message>
    <message>
        <source>move %1 &quot;%2&quot; is not a point</source>
        <translation>第 %1 手「%2」不是棋盤上的點</translation>
    </message>
    <message>
        <source>it is not a game record (%1)</source>
        <translation>它不是棋譜（%1）</translation>
    </message>
    <message>
        <source>its board is %1x%1, this board is 19x19</source>
        <translation>它的棋盤是 %1x%1，本棋盤是 19x19</translation>
    </message>
    <message>
        <source>move %1 (%2) is off the board</source>
        <translation>第 %1 手（%2）在棋盤外</translation>
    </message>
    <message>
        <source>move %1 (%2) is on a stone</source>
        <translation>第 %1 手（%2）下在已有棋子的點上</translation>
    </message>
    <message>
        <source>move %1 (%2) is forbidden to Black: %3</source>
        <translation>第 %1 手（%2）是黑棋的禁手：%3</translation>
    </message>
    <message>
        <source>move %1 (%2) comes after the end of the game</source>
        <translation>第 %1 手（%2）在棋局結束之後</translation>
    </message>
    <message>
        <source>the record says &quot;%1&quot;, but its %2 moves do not end so</source>
        <translation>棋譜記載「%1」，但它的 %2 手並未如此結束</translation>
    </message>
    <message>
        <source>Open game...	Ctrl+O</source>
        <translation>開啟棋譜...	Ctrl+O</translation>
    </message>
    <message>
        <source>Save game...	Ctrl+S</source>
        <translation>儲存棋譜...	Ctrl+S</translation>
    </message>
    <message>
        <source>Edit(&amp;E)</source>
        <translation>編輯(&amp;E)</translation>
    </message>
    <message>
        <source>Copy game</source>
        <translation>複製棋譜</translation>
    </message>
    <message>
        <source>Paste game</source>
        <translation>貼上棋譜</translation>
    </message>
    <message>
        <source>Renju - Move %1 of %2</source>
        <translation>五子棋 - 第 %1 手，共 %2 手</translation>
    </message>
</context>
</TS>
