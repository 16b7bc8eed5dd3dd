<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CDialogState</name>
    <message>
        <source>Favorites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Favorite name is required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Favorite &quot;%1&quot; already exists. Do you want to replace it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify a drawing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drawing files (*.dwg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error: Xref contains circular reference</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filename can`t be empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The following characters are not valid in File names: &lt;&gt;/\&quot;:;?*|,=&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drawing symbol &quot;%1&quot; already exists. Do you want to replace it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Path can`t be empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot find the specified Path.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot find the specified file.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DLG_QT_ConvertNotes</name>
    <message>
        <source>Convert SimpleNote</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep original T&amp;extStyle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep original &amp;LineColor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep original &amp;height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ordering</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Selection set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Top-down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Alphabetical</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Create word-wrap text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DLG_QT_PatternHatch</name>
    <message>
        <source>Pattern Hatch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;External reference</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Mask</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save favorite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove favorite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pattern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pattern preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size and position</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Width and height as scale factor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Lock aspect ratio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offset Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offset X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pattern &amp;origin:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify in graphics area</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotation &amp;angle:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extracts pattern, size, position and rotation from an entity in drawing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Extract from entity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type of entities</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Anonymous block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;ntity group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Limits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cut entities</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Draw surpassing entities</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Boundaries</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify entities</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify &amp;entities</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify points</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Specify points</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete boundary entities</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete boundary entities</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Highlight boundary entities</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Highlight boundary entities</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extract from a hatch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Extract from a hatch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tolerance for curves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previews the result in the drawing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify Pattern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scale must be higher than zero.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tolerance value is less than minimum. The value is reset to minimum (0.01).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select image for pattern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All supported Image file (*.bmp *.gif *.jpg *.jpeg *.png *.tif *.tiff);;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Windows Bitmap (*.bmp);;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Graphics Interchange Format (*.gif);;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JPEG File Interchange Format (*.jpg *.jpeg);;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Portable Netkword Graphics (*.png);;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tagged Image File Format (*.tif *.tiff)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DLG_QT_SelectBlock</name>
    <message>
        <source>Select Block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_Breakline</name>
    <message>
        <source>Break Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify a drawing for breakline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sizes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New symbol</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify entities to use as breakline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Specify entities to use as breakline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify a drawing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drawing files (*.dwg *.dxf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot find the specified drawing file.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_DrawOderColor</name>
    <message>
        <source>DrawOrder by Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Modify blocks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>M&amp;odify only the entities with assigned color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move selected items to the top of the list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move selected items one position up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move selected items one position down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move selected items to the bottom of the list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Bottom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re-ordering method</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Draworder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Handles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draworder location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Front</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1;%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select rows of table for move.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_EditAlias</name>
    <message>
        <source>Edit Alias</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current alias:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Command</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alias</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create new alias</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove alias</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clean alias list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save alias</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export alias to file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import alias from file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print alias</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error reading alias file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Command;Alias</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This alias already begin used for other command.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the rows of table for remove.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to remove this alias for %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to delete all alias?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The alias file has been saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The alias file could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alias files (*.xml);; All files (*.*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The alias file has been exported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The alias file could not be exported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the file to import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alias files (*.txt);; All files (*.*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The alias file could not be imported.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_EditTextCase</name>
    <message>
        <source>EditTextCase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Style</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Sentence case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Lowercase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Uppercase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>T&amp;oggle case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is a sample text for quor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sentence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lower</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>toGgle</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_ExchangedDimensionStyle</name>
    <message>
        <source>Export Dimension Style</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Available DimensionStyles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Style Variables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;TextStyle name only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Full TextStyle information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export to file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variable;Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Dimension Style file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DimStyle files (*.dim)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exchange Dimension Style</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No dimension style selected, please select a dimension style to export. </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_ExportInfo</name>
    <message>
        <source>Export Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;E-mail address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Phone number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Issue description:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Steps to Reproduce the Issue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report was not saved.
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_ExportSettings</name>
    <message>
        <source>Export Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Variable type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a system variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export to script...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save modified settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All,Read only,Dangerous,Standard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VariableToScript</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Append to script...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Append settings to an existing file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ExportVariables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Append to script file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Script files (*.scr)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save script file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_GetBlockInfo</name>
    <message>
        <source>Get Block Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Block Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Include nested blocks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Creates a table in the drawing with the block information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export list to a table in &amp;drawing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saves the list to a text file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export list to a &amp;file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name;Instances</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resulting file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The block list was not saved.
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_ImportBlockAttributes</name>
    <message>
        <source>Import Block Attributes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opens an attribute text file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Select all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find and replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find what:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R&amp;eplace with:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace coincidences with specified string</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the file to import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attributes files (*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select items of table for search.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the rows of table for import.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The title of column %1 (&quot;%2&quot;) holds &quot;^&quot;, a tab or a line break, which cannot be imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The cell in row %1, column %2 (&quot;%3&quot;) holds &quot;^&quot;, a tab or a line break, which cannot be imported.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_ImportDimensionStyle</name>
    <message>
        <source>Import Dimension Style</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File to import:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse for location of exported file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Available Dimension Styles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Style variables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overwrite existing TextStyle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overwrite existing DimensionStyle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Dimension Style file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DimStyle files (*.dim)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variable;Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No dimension style selected, please select a dimension style to import. </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_LispExplorer</name>
    <message>
        <source>Lisp Explorer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Library</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>L&amp;oaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Folder:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse a folder containing lisp files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Functions:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Display as:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter the function content</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Search:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loads this function</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lo&amp;ad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Commands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Functions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Variables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saves commands, functions and variables in a text file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Header Only;Function Only;Both</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error loading database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify a folder for lisp files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No matches found for</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LispExplorer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file has been loaded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file could not be loaded:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name;Data type;Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name;Data type;Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save dump file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dump files (*.dmp)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_MakeLineStyle</name>
    <message>
        <source>Make LineStyle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the .LIN file where the new line style will be included</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Definition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Description:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name;Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify Linestyle file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Linestyle files (*.lin)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid file format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The format of the file is not valid. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make Linestyle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You must select a file. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You must provide a name for the Linestyle. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Linestyle names cannot include blank spaces.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Linestyle already exists, you want to replace it?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_MakeShape</name>
    <message>
        <source>Make shape</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the .SHP file where the new shape will be included</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Definition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>shapeName</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Resolution value:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>128</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number;Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select shape file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shape files (*.shp);; All files (*.*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make Shape</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You must select a file. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You must provide a name for the shape. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shape names cannot include blank spaces.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shape already exists, you want to replace it?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_MergeSheets</name>
    <message>
        <source>Merge Sheets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sheets to merge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Target Sheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete unused sheets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete geometry from merged sheets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please specify sheets to merge.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please specify target sheet. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name  is invalid. </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_MultiViewSetup</name>
    <message>
        <source>Multiview Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Work Space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Current Paper Space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Model Space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Title Block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;reate Viewports</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Align Viewports</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Scale Viewports</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adds a block to list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Origin:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title block:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Units:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Layer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove entities in same paper space:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I&amp;nsert as external reference</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>L&amp;imits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inserts a tile block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Insert Title Block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A&amp;rray of Viewports</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Simp&amp;le</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Array:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of &amp;rows:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of &amp;columns:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offset Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offset X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete viewports</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Creates a viewport</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Create viewports</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alignment format:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Horizontal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Vertical</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modify viewports alignment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Viewports alignment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Escalar viewports:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scale of viewports:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Viewports scaling</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Units:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Scientific</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Decimal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Engineering</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Architectural</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Me&amp;tric</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scale:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Scale Factor:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Width: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Creates a tile block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Create Title Block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Feet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inches</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Meters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Milimeters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do not remove entities</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove all entities</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify entities for remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do not remove viewports</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove all viewports</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify viewports to remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scales;Factors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blocks</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_RedefinePaths</name>
    <message>
        <source>Redefine Paths</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Styles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;External references</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rtext</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Filter by:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select &amp;all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find and Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find what:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R&amp;eplace with:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace coincidences with specified string</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Xrefs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Styles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rtext</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type;Name;Path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the rows of table for search.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Xref</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TextStyle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RemoteText</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_RemoveFavorits</name>
    <message>
        <source>Delete favorites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete favorite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove favorites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select items for remove.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_ReplaceBlock</name>
    <message>
        <source>Replace Block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blocks to replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify blocks in the drawing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Specify blocks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replacing block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Clean unreferenced items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Update BlockAttributes for block replacements</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You must first select the blocks to replace. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;Block to be replaced&quot; and &quot;Replacing block&quot; must be different.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_ReplaceBlockToXref</name>
    <message>
        <source>Replace Block by Reference</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blocks to replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify blocks in the drawing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Specify blocks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replacing reference</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse the disk for the reference that will be used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Clean unreferenced items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace blocks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You must first select the blocks to replace. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You must first select the replacing reference. </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_ShowLinks</name>
    <message>
        <source>Show Links</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find and Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find what:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R&amp;eplace with:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace coincidences with specified string</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows selected URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Show URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove selected URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove &amp;URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the entity of selected  URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;how Entity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>;URL Name;Entity Type;Space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the rows of table for searching.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select one row of table for show.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to display the link.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The are no items selected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove urls for selected items?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The links were not saved.
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_TextFrame</name>
    <message>
        <source>Text Frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Slot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rectangle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Circle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Background</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Transparent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>H&amp;atch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Color:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dimensions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;onstant</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maintain Constant</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Both</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_TextMask</name>
    <message>
        <source>Text Mask</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dimensions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1.0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entity type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Mask</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3&amp;D Face</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Solid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Background</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Color:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wrong dimension value.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Must be positive or zero.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dlg_QT_numbertext</name>
    <message>
        <source>Number Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorting Method</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Position X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;osition Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Select order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Relative to one point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R&amp;elative to two points</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorting Direction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ascending</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Descendin&amp;g</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Initial &amp;value:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Increment:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Digits:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 [1]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 [01]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3 [001]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4 [0001]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5 [00001]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6 [000001]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7 [0000001]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8 [00000001]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text Placement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;uffix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repla&amp;ce</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pre&amp;fix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O&amp;verwrite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find what:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace with:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NUMBER</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Prefix)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Suffix)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Korvane</name>
    <message>
        <source>
Specify last point:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
Remove entities: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify option</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>. for none,.</source>
        <extracomment>Command Option: Upper- and Lowercase letters are relevant.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify new path for Backup folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a invalid directory.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LispExtension</name>
    <message>
        <source>Settings saved to: &quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot; successfully.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
