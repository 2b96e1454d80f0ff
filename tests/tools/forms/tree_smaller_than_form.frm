OstrelForm 1
# An options dialog, one page in it, whose tree host was stored smaller than its form: on the
# screen at run time it fills the form; open and save without a change keep the stored size.
Begin Form frmOptions
   Caption = String "Options"
   Width = Double 8985
   Height = Double 5625
   Begin KyComCtl.KyTreeBase ktbOptions
      @Left = Double 120
      @Top = Double 90
      @Width = Double 7200
      @Height = Double 4500
      TreeContainment = String " \t_GENERAL\t0\tGeneral\t0\t \r\n_GENERAL\t_GENERAL\\STARTUP\t1\tStart-up\t1\r\n"
      ShowApply = Boolean False
      Begin KyComCtl.KyOptionPage kopStartup
         HeaderMode = Long 0
         PageIndex = Integer 1
         Caption = String "Start-up"
         Font = Font Name="MS Sans Serif" Size=8 Weight=400 Italic=0 Underline=0 Strikethrough=0 Charset=0
      End
   End
End
