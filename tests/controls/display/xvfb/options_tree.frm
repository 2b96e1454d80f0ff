OstrelForm 1
# An options dialog: the tree host with a page before a nested container that remembers no
# page, and the pages inside it, for the keys and the screen reader.
Begin Form frmOptions
   Caption = String "Options"
   Width = Double 8985
   Height = Double 5625
   Begin KyComCtl.KyTreeBase ktbOptions
      TreeContainment = String " \t_GENERAL\t0\tGeneral\t0\t \r\n_GENERAL\t_GENERAL\\STARTUP\t1\tStart-up\t1\r\n \t_DISPLAY\t0\tDisplay\t0\t \r\n_DISPLAY\t_DISPLAY\\FONTS\t1\tFonts\t2\r\n_DISPLAY\t_DISPLAY\\COLOURS\t0\tColours\t0\t \r\n_DISPLAY\\COLOURS\t_DISPLAY\\COLOURS\\THEME\t1\tTheme\t3\r\n_DISPLAY\\COLOURS\t_DISPLAY\\COLOURS\\CONTRAST\t1\tContrast\t4\r\n"
      Begin KyComCtl.KyOptionPage kopStartup
         PageIndex = Integer 1
         Caption = String "Start-up"
      End
      Begin KyComCtl.KyOptionPage kopFonts
         PageIndex = Integer 2
         Caption = String "Fonts"
      End
      Begin KyComCtl.KyOptionPage kopTheme
         PageIndex = Integer 3
         Caption = String "Theme"
      End
      Begin KyComCtl.KyOptionPage kopContrast
         PageIndex = Integer 4
         Caption = String "Contrast"
      End
   End
End
