<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>EFCreateError</name>
    <message>
        <source>ファイル %1 を作成できません</source>
        <translation>Cannot create file %1</translation>
    </message>
</context>
<context>
    <name>EListError</name>
    <message>
        <source>リストのインデックスが範囲を超えています (%1)</source>
        <translation>List index out of bounds (%1)</translation>
    </message>
</context>
<context>
    <name>EShParameterError</name>
    <message>
        <source>パラメータが不正です。</source>
        <translation>The parameter is incorrect.</translation>
    </message>
</context>
<context>
    <name>EVersionInfoError</name>
    <message>
        <source>情報の取得に失敗しました</source>
        <translation>Could not read the version information</translation>
    </message>
</context>
<context>
    <name>TChartLegend</name>
    <message>
        <source>凡例のマーカの幅は 0 から 100% の間でなければなりません</source>
        <translation>The width of the legend&apos;s symbols must be between 0 and 100%</translation>
    </message>
    <message>
        <source>凡例の開始値は１以上でなければなりません。</source>
        <translation>The legend&apos;s first value must be 1 or more.</translation>
    </message>
    <message>
        <source>凡例の上端は 0 から 100% の間でなければなりません</source>
        <translation>The legend&apos;s top must be between 0 and 100%</translation>
    </message>
</context>
<context>
    <name>TChartSeries</name>
    <message>
        <source>%1:s の %0:s</source>
        <translation>%0:s of %1:s</translation>
    </message>
</context>
<context>
    <name>TCircledSeries</name>
    <message>
        <source>回転の角度は 0 から 359 の間でなければなりません</source>
        <translation>The rotation angle must be between 0 and 359</translation>
    </message>
</context>
<context>
    <name>TCustomChart</name>
    <message>
        <source>３次元効果の割合は 1 から 100 の間でなければなりません</source>
        <translation>The 3D effect percentage must be between 1 and 100</translation>
    </message>
    <message>
        <source>MaxPointsPerPage は 0 以上でなければなりません</source>
        <translation>MaxPointsPerPage must be 0 or more</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>フォルダ容量の集計</source>
        <translation>Disk Usage Chart</translation>
    </message>
</context>
<context>
    <name>TQorShTreeView</name>
    <message>
        <source>デスクトップ</source>
        <translation>Desktop</translation>
    </message>
    <message>
        <source>コンピューター</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>ホーム</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>ゴミ箱</source>
        <translation>Trash</translation>
    </message>
    <message>
        <source>ネットワーク</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>「%1」を実行しますか?</source>
        <translation>Run “%1”?</translation>
    </message>
    <message>
        <source>同じ名前の項目がフォルダにあるため、置き換えませんでした。</source>
        <translation>The folder already holds an item of that name; nothing was replaced.</translation>
    </message>
    <message>
        <source>フォルダをそれ自身の中へドロップすることはできません。</source>
        <translation>A folder cannot be dropped into itself.</translation>
    </message>
    <message>
        <source>空き容量が足りません。途中までの項目は残していません。</source>
        <translation>Not enough space; nothing was left behind.</translation>
    </message>
    <message>
        <source>コピーしましたが、元の項目を削除できませんでした。</source>
        <translation>Copied, but the original could not be removed.</translation>
    </message>
    <message>
        <source>ドロップされた項目にローカルファイルの URL でないものがあります。</source>
        <translation>not a local file URL</translation>
    </message>
    <message>
        <source>ドロップされた項目に別のホストのファイル URL があります。</source>
        <translation>a file URL on another host</translation>
    </message>
    <message>
        <source>ドロップされた項目に絶対パスのないファイル URL があります。</source>
        <translation>a file URL without an absolute path</translation>
    </message>
    <message>
        <source>ドロップされた項目に、不正なエスケープ、制御文字または問い合わせ部分を含むファイル URL があります。</source>
        <translation>a file URL with a bad escape, a control character or a query</translation>
    </message>
    <message>
        <source>ドロップされたファイルの一覧が大きすぎます。</source>
        <translation>the file list is too large</translation>
    </message>
    <message>
        <source>ドロップされたファイルの一覧の項目が多すぎます。</source>
        <translation>the file list has too many entries</translation>
    </message>
    <message>
        <source>ドロップされたファイルの一覧が空です。</source>
        <translation>the file list is empty</translation>
    </message>
    <message>
        <source>ドラッグされた項目にファイルシステム上のパスがないものがあります。</source>
        <translation>a dragged item has no file-system path</translation>
    </message>
    <message>
        <source>ドロップされた識別子の配列が途中で切れています。</source>
        <translation>the identifier array is truncated</translation>
    </message>
    <message>
        <source>ドロップされた識別子の配列が大きすぎます。</source>
        <translation>the identifier array is too large</translation>
    </message>
    <message>
        <source>ドロップされた識別子の配列の項目数が範囲外です。</source>
        <translation>the identifier array's item count is out of range</translation>
    </message>
    <message>
        <source>ドロップされた識別子の配列のオフセットが途中で切れています。</source>
        <translation>the identifier array's offsets are truncated</translation>
    </message>
    <message>
        <source>ドロップされた識別子の配列のオフセットが配列の外を指しています。</source>
        <translation>an offset of the identifier array lies outside it</translation>
    </message>
    <message>
        <source>ドロップされた識別子の配列のリストが配列の中で終わっていません。</source>
        <translation>a list of the identifier array does not end inside it</translation>
    </message>
    <message>
        <source>ドロップされた識別子の配列に空の項目があります。</source>
        <translation>an item of the identifier array is empty</translation>
    </message>
    <message>
        <source>ドロップされたデータには識別子の配列もファイルの一覧もありません。</source>
        <translation>the data offers neither an identifier array nor a file list</translation>
    </message>
</context>
<context>
    <name>TShNotifyThread</name>
    <message>
        <source>監視するフォルダ数が上限を超えています。</source>
        <translation>Too many folders to watch.</translation>
    </message>
    <message>
        <source>フォルダの変更を監視できないため、フォルダツリーの自動更新が制限されています。</source>
        <translation>Folders cannot be watched for changes, so the folder tree may not update by itself.</translation>
    </message>
</context>
<context>
    <name>TfrmBreakDialog</name>
    <message>
        <source>中断処理中</source>
        <translation>Stopping</translation>
    </message>
    <message>
        <source>処理を中断しています</source>
        <translation>Stopping the analysis</translation>
    </message>
    <message>
        <source>しばらくお待ちください</source>
        <translation>Please wait a moment</translation>
    </message>
</context>
<context>
    <name>TfrmMain</name>
    <message>
        <source>その他</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>グラフをドラッグで移動 マウスホイールで拡大縮小</source>
        <translation>Drag the chart to move it, turn the mouse wheel to zoom</translation>
    </message>
    <message>
        <source>選択したフォルダを再集計</source>
        <translation>Analyse the selected folder again</translation>
    </message>
    <message>
        <source>デスクトップの割り当てキー: %1</source>
        <translation>Key bound by the desktop: %1</translation>
    </message>
    <message>
        <source>デスクトップの割り当てキー: なし</source>
        <translation>Key bound by the desktop: none</translation>
    </message>
    <message>
        <source>画像を出力しました</source>
        <translation>The image has been saved.</translation>
    </message>
    <message>
        <source>情報</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>ビットマップファイル(*.bmp)|*.bmp</source>
        <translation>Bitmap files (*.bmp)|*.bmp</translation>
    </message>
    <message>
        <source>メインメニュー</source>
        <translation>Main toolbar</translation>
    </message>
    <message>
        <source>3D表示</source>
        <translation>3D</translation>
    </message>
    <message>
        <source>凡例表示</source>
        <translation>Legend</translation>
    </message>
    <message>
        <source>％表示</source>
        <translation>Percentages</translation>
    </message>
    <message>
        <source>サイズ表示</source>
        <translation>Sizes</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>処理中断</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Byte</source>
        <translation>bytes</translation>
    </message>
    <message>
        <source>【中断しました】</source>
        <translation>[Analysis stopped]</translation>
    </message>
</context>
<context>
    <name>TfrmVersion</name>
    <message>
        <source>バージョン情報</source>
        <translation>About Tallyrun</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>アイコン:</source>
        <translation>Icons:</translation>
    </message>
</context>
</TS>
