#pragma once
// The report written when every query succeeds without an instance: the page's fixed lines
// and six empty sections. Lines end in "\n" here; the file has CR LF.
constexpr char kEmptyReport[] = R"html( <HTML> 
 <HEAD> 
<TITLE>Quenvor Pro System Information</TITLE>
</HEAD>
<BODY bgColor=#ffffff>
 <Center> 
 <Table cellSpacing=0 cellPadding=0 Width="100%" border=0> 
    <TBODY>
      <TR>
        <TD vAlign=bottom align=middle><div align="center"><font size="6"><strong>
                Quenvor Pro System Information</strong></font></div>
        </TD>
      <TR>
        <TD>
          <HR align=center width="100%" color=#000000 noShade SIZE=1>
        </TD>
      </TR>
    </TBODY>
  </TABLE>
  <TABLE cellSpacing=0 cellPadding=0 width="100%" border=0>
    <TBODY>
      <TR>
        <TD vAlign=top align=middle width="86%">
          <TABLE cellSpacing=0 cellPadding=0 width="100%" border=0>
            <TBODY>
              <TR>
                <TD width="50%"></TD>
                <TD width="50%"></TD>
              </TR>
              <TR>
                <TD>&nbsp</TD>
              </TR>
            </TBODY>
          </TABLE>
          <TABLE width="100%" border=0>
            <TBODY>
              <TR>
                <TD align=middle width="48%" bgColor=#0000FF><B><FONT color="#FFFFFF"
            size=2>Operating System Information</FONT></B></TD>
                <TD width="4%"> </TD>
                <TD align=middle width="48%" bgColor=#0000FF><B><FONT color="#FFFFFF" size=2>Processor
                      Information</FONT></B></TD>
              </TR>
              <TR>
                <TD vAlign=top align=left width="48%">
</TD>
                <TD width="4%"> </TD>
<TD vAlign=top align=left width="48%">
</TD>
 </TR>
<TR>
<TD align=middle width="48%" bgColor=#0000FF><B><FONT color="#FFFFFF"
size=2>BIOS Information</FONT></B></TD>
<TD width="4%">&nbsp</TD>
<TD align=middle width="48%" bgColor=#0000FF><B><font color="#FFFFFF" size="2">Computer
Baseboard Information</font></B></TD>
</TR>
<TR>
<TD vAlign=top align=left width="48%">
</TD>
<TD width="4%">&nbsp</TD>
<TD vAlign=top align=left width="48%">
</TD>
</TR>
<TR>
<TD align=middle width="48%" bgColor=#0000FF><B><FONT color="#FFFFFF"
size=2>Physical Memory Configuration</FONT></B></TD>
<TD width="4%">&nbsp</TD>
<TD align=middle width="48%" bgColor=#0000FF><B><FONT color="#FFFFFF" size=2>Video
Controller Information</FONT></B></TD>
</TR>
<TR>
<TD vAlign=top align=left width="48%">
</TD>
<TD width="4%">&nbsp</TD>
<TD vAlign=top align=left width="48%">
</TD>
</TR>
</TBODY>
</TABLE>
<TABLE cellSpacing=0 cellPadding=0 width="100%" border=0>
<TBODY>
<TR>
<TD>&nbsp</TD>
</TR>
</TBODY>
</TABLE>
</TD>
</TR>
</TBODY>
</TABLE>
</CENTER>
</BODY>
</HTML>
)html";
